#pragma once

#include <QtGlobal>

// Where the brand record sits in a program file, and how much of the file start-up reads.
namespace statdesk::brandlayout {

// The executable image ends here; the record runs from here to the end of the file.
inline constexpr qint64 RecordOffset = 1'764'352;
// Start-up reads at most this many bytes of the program file, so a record is cut off here.
inline constexpr qint64 ProgramReadLimit = 2'048'000;
inline constexpr qint64 MaxRecordBytes = ProgramReadLimit - RecordOffset;
inline constexpr int MaxShortString = 255;
inline constexpr int MaxListEntries = 255;
inline constexpr qint64 MaxLogoLength = 0xFFFFFF;
// Field 27 is read and ignored; this is what the shipped record holds there.
inline constexpr quint8 SkippedFontByte = 0xF5;

} // namespace statdesk::brandlayout
