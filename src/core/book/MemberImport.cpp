#include "book/MemberImport.h"

#include "book/PageRecord.h"
#include "registry/MemberRecord.h"
#include "text/TextRoutines.h"

#include <utility>

namespace almavest::book {

namespace {

// The member fields copied as they are, each into its row field.
constexpr std::pair<int, int> kCopied[] = {
    {registry::Name, MemberName},
    {registry::BirthPlace, BirthPlace},
    {registry::BirthDate, BirthDate},
    {registry::TaxCode, TaxCode},
    {registry::Phone, Phone},
    {registry::CardNumber, CardNumber},
    {registry::EnrolmentDate, AdmissionDate},
    {registry::Fee, Fee},
};

// The parts of the address, in the order they are joined.
constexpr int kAddressParts[]
    = {registry::Address, registry::PostCode, registry::Town, registry::Province};

} // namespace

ImportedRow importedRow(const QStringList &member)
{
    ImportedRow row;
    for (const auto &[memberField, rowFieldIndex] : kCopied)
        row.insert(rowFieldIndex, text::trimmed(member.value(memberField)));
    QStringList parts;
    for (const int part : kAddressParts)
        parts.append(text::trimmed(member.value(part)));
    // An empty part keeps its place, so an empty postcode leaves two blanks inside; only the
    // ends of the whole are trimmed, as every imported value is.
    row.insert(Address, text::trimmed(parts.join(u' ')));
    return row;
}

void applyImportedRow(QStringList &page, int row, const ImportedRow &imported)
{
    if (page.size() < kPageFieldCount)
        page.resize(kPageFieldCount);
    for (auto it = imported.cbegin(); it != imported.cend(); ++it)
        page[rowField(row, it.key())] = it.value();
}

std::optional<ImportedRow> readImportedRow(const QString &archivePath, qint64 position)
{
    const std::optional<QStringList> member = registry::readMember(archivePath, position);
    if (!member)
        return std::nullopt;
    return importedRow(*member);
}

} // namespace almavest::book
