#include "registry/MemberRecord.h"

#include <QDir>

#include <utility>

namespace almavest::registry {

namespace {

// The record in file order. The control names are those of the member card and do not
// always say what the field holds: the enum in the header does.
constexpr std::array<MemberField, kMemberFieldCount> kFields = {{
    {"txtDipendente", 50, 50},
    {"txtCittadinanza", 50, 50},
    {"txtStipendio", 12, 12},
    {"txtLuogo", 50, 50},
    {"txtDataNasc", 10, 10},
    {"txtCodFisc", 16, 16},
    {"txtPartitaIva", 11, 10},
    {"txtIndirizzo", 120, 120},
    {"txtCitta", 50, 50},
    {"txtProv", 2, 2},
    {"txtCap", 10, 10},
    {"txtQualifiche", 120, 120},
    {"txtFamiliari", 250, 250},
    {"txtIban", 27, 27},
    {"txtNote", 250, 250},
    {"txtDataSca", 10, 10},
    {"txtPreavviso", 3, 3},
    {"txtRecapito", 50, 50},
    {"txtEmail", 50, 50},
    {"lblFile01", 250, 0},
    {"lblFile02", 250, 0},
    {"lblFile03", 250, 0},
    {"lblDesc01", 250, 0},
    {"lblDesc02", 250, 0},
    {"lblDesc03", 250, 0},
}};

template <size_t... I> store::RecordLayout layoutOf(std::index_sequence<I...>)
{
    return store::RecordLayout {kFields[I].capacity...};
}

} // namespace

const std::array<MemberField, kMemberFieldCount> &memberFields()
{
    return kFields;
}

const store::RecordLayout &memberLayout()
{
    static const store::RecordLayout layout
        = layoutOf(std::make_index_sequence<kMemberFieldCount> {});
    return layout;
}

QStringList blankMember()
{
    QStringList values(kMemberFieldCount);
    values[Fee] = QStringLiteral("0,00");
    values[NoticeDays] = QStringLiteral("0");
    return values;
}

QString memberPhotoPath(const QString &programFolder, qint64 position)
{
    return QDir(programFolder)
        .filePath(QLatin1String(kPhotoFolderName) + u'/' + QStringLiteral("Socio_")
            + QString::number(position) + QStringLiteral(".jpg"));
}

} // namespace almavest::registry
