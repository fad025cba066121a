#pragma once

#include <QDate>
#include <QString>

// A small sample association written into a program folder, for the pictures of the guide:
// members with a photo, one book of the members with a few pages, one year of the journal.
namespace almavest::guide {

// The day the pictures are taken on: every date of the sample is set around it.
inline const QDate kSampleToday {2026, 3, 16};
inline constexpr char kSamplePassword[] = "ALMAVEST";
inline constexpr char kSampleBook[] = "Soci 2026";
inline constexpr char kSampleYear[] = "2026";

// Writes the sample into the empty folder `folder`; false, after writing into `error` why,
// when a file cannot be written.
bool writeSampleFolder(const QString &folder, QString &error);

} // namespace almavest::guide
