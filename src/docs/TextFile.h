#pragma once

#include <QString>
#include <QStringList>

// Reading the text files shipped beside the program.
namespace statdesk {

// The lines of a Windows-1252 text file as they stand (trailing blanks kept, a last line without a
// line end included); lines end in CR LF, LF or CR. With `complemented` every byte of a line is
// first replaced by 255 minus itself, the coding of playoff result files. Throws std::runtime_error
// "File not found" for a file that does not exist, and the reason for one that cannot be read.
QStringList readDocumentLines(const QString& path, bool complemented = false);

} // namespace statdesk
