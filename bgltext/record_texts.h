// Pieces of SCASM record text that several record handlers share. Texts
// that only one handler writes stay beside that handler.
#pragma once

namespace bgltext {

inline constexpr char kNameLine[] = "\t%s\n";                       // a record without operands
inline constexpr char kNameOpen[] = "\t%s( ";                       // name and opening parenthesis
inline constexpr char kNameOneValue[] = "\t%s( %d )\n";
inline constexpr char kNameThreeValues[] = "\t%s( %d %d %d )\n";
inline constexpr char kNameFourValues[] = "\t%s( %d %d %d %d )\n";
inline constexpr char kNameFirstOfList[] = "\t%s( %d\n";           // a list's head value, then its lines
inline constexpr char kNamePolygon[] = "\t%s( m %d %d %d %f   ";  // polygon head: point, factor
inline constexpr char kNameText[] = "\t%s( %s )\n";
inline constexpr char kNamePosition[] = "\t%s( %s %s %f )\n";      // latitude, longitude, altitude
inline constexpr char kPointLine[] = "\t\t%d %d %d\n";
inline constexpr char kValue[] = "%d ";
inline constexpr char kHexValue[] = "%x ";
inline constexpr char kUpperHexValue[] = "%X ";
inline constexpr char kSpacedValue[] = " %d";
inline constexpr char kSpacedTwoValues[] = " %d %d";
inline constexpr char kTailValue[] = " %d )\n";
inline constexpr char kClose[] = ")\n";
inline constexpr char kSpaceClose[] = " )\n";
inline constexpr char kCloseLine[] = "\t)\n";
inline constexpr char kLineEnd[] = "\n";
inline constexpr char kListLineStart[] = "\n\t\t";
inline constexpr char kRefPointOpen[] = "\tRefPoint( %c ";
inline constexpr char kRefPointScaleAndPosition[] = " %f %s %s ";
inline constexpr char kRefPointVariables[] = "v1= %d v2= %d )\n";

}  // namespace bgltext
