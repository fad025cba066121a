#pragma once

class QLabel;
class QWidget;

namespace almavest::app {
class ProgramFolder;
}

// The line of the help window and the maker's notice that tells which folder holds the data.
namespace almavest::ui {

inline constexpr char kDataFolderLabel[] = "lblCartella";

// A label `lblCartella` reading "Cartella dei dati: " and the folder's path; the path can be
// selected and copied.
QLabel *dataFolderLabel(const app::ProgramFolder &folder, QWidget *parent);

} // namespace almavest::ui
