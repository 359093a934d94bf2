#pragma once
#include <string>
#include <string_view>

#include "platform/ui/local_time.h"

namespace oxi {

// The command texts the PC sends, every byte framed: STX, the text, ETX. No checksum, no
// line end, never a zero byte.

// STX "SR," the sector number as four upper-case hexadecimal digits, ETX: 9 bytes.
std::string SectorReadCommand(int sector);
// STX "SC," YYMMDD "," hhmmss ETX of the given local time: 18 bytes.
std::string ClockCommand(const LocalTime& time);
// STX "DE" ETX: 4 bytes.
std::string EraseCommand();
// True for the erase command (its second and third characters are 'D' 'E').
bool IsEraseCommand(std::string_view command);

}  // namespace oxi
