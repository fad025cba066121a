#pragma once

#include <QString>
#include <QStringView>

// The address handed to the desktop shell to start an e-mail.
namespace almavest::text {

// "mailto:" followed by `address`, trimmed and percent-encoded but for the letters, digits,
// "-._~" and "@": a "?", "&" or blank in the address stays part of it and never starts the
// message's headers or body.
QString mailtoAddress(QStringView address);

} // namespace almavest::text
