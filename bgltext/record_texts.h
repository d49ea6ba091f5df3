// Pieces of SCASM record text that several record handlers share. Texts
// that only one handler writes stay beside that handler.
#pragma once

namespace bgltext {

inline constexpr FormatText kNameLine = "\t%s\n";  // a record without operands
inline constexpr FormatText kNameOpen = "\t%s( ";  // name and opening parenthesis
inline constexpr FormatText kNameOneValue = "\t%s( %d )\n";
inline constexpr FormatText kNameThreeValues = "\t%s( %d %d %d )\n";
inline constexpr FormatText kNameFourValues = "\t%s( %d %d %d %d )\n";
inline constexpr FormatText kNameFirstOfList = "\t%s( %d\n";  // a list's head value, then its lines
inline constexpr FormatText kNamePolygon = "\t%s( m %d %d %d %f   ";  // polygon head: point, factor
inline constexpr FormatText kNameText = "\t%s( %s )\n";
inline constexpr FormatText kNamePosition = "\t%s( %s %s %f )\n";  // latitude, longitude, altitude
inline constexpr FormatText kPointLine = "\t\t%d %d %d\n";
inline constexpr FormatText kValue = "%d ";
inline constexpr FormatText kHexValue = "%x ";
inline constexpr FormatText kUpperHexValue = "%X ";
inline constexpr FormatText kSpacedValue = " %d";
inline constexpr FormatText kSpacedTwoValues = " %d %d";
inline constexpr FormatText kTailValue = " %d )\n";
inline constexpr FormatText kClose = ")\n";
inline constexpr FormatText kSpaceClose = " )\n";
inline constexpr FormatText kCloseLine = "\t)\n";
inline constexpr FormatText kLineEnd = "\n";
inline constexpr FormatText kListLineStart = "\n\t\t";
inline constexpr FormatText kRefPointOpen = "\tRefPoint( %c ";
inline constexpr FormatText kRefPointScaleAndPosition = " %f %s %s ";
inline constexpr FormatText kRefPointVariables = "v1= %d v2= %d )\n";

}  // namespace bgltext
