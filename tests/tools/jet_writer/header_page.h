#pragma once

#include <QByteArray>

// Page 0 of a Jet 4 file: the format's signature and version, and the
// database's settings (code page, sort order, no encryption key, no
// password) in the block the format masks with RC4.
namespace HeaderPage {

QByteArray bytes();

} // namespace HeaderPage
