// The section dispatch table. Add a decoder by declaring it in
// section_decoders.h and naming it in its row.
#include "bgltext/section_table.h"

#include "bgltext/section_decoders.h"

namespace bgltext {
namespace {

constexpr char kVorIls[] = "VOR, ILS";
constexpr char kSynthetic[] = "Synthetic scenery";
constexpr char kUnknown[] = "unknown";
constexpr char kProcedural[] = "Procedural scenery";
constexpr char kLibrary[] = "";
constexpr char kAirport[] = "Airport";
constexpr char kAtis[] = "ATIS";
constexpr char kNdb[] = "NDB";
constexpr char kDynamic[] = "Dynamic scenery";
constexpr char kMarker[] = "IMO Marker, Landme";
constexpr char kException[] = "Exception";
constexpr char kAfd[] = "Airport Facility Directory";

// section, name, decoder
constexpr SectionEntry kSections[] = {
    {0, kVorIls, DecodeVorIlsSection},
    {1, kSynthetic, DecodeSyntheticSection},
    {2, kSynthetic, DecodeSyntheticSection},
    {3, kSynthetic, DecodeSyntheticSection},
    {4, kSynthetic, DecodeSyntheticSection},
    {5, kSynthetic, DecodeSyntheticSection},
    {6, kSynthetic, DecodeSyntheticSection},
    {7, kUnknown, nullptr},
    {8, kUnknown, nullptr},
    {9, kProcedural, DecodeProceduralSection},
    {10, kLibrary, DecodeLibrarySection},
    {11, kAirport, DecodeMenuSection},
    {12, kUnknown, nullptr},
    {13, kAtis, DecodeAtisSection},
    {14, kNdb, DecodeNdbSection},
    {15, kDynamic, DecodeDynamicSection},
    {16, kMarker, DecodeMarkerSection},
    {17, kUnknown, nullptr},
    {18, kUnknown, nullptr},
    {19, kException, DecodeExclusionSection},
    {20, kAfd, DecodeAfdSection},
    {21, kUnknown, nullptr},
};
static_assert(sizeof kSections / sizeof kSections[0] == 22, "one row per section slot");

}  // namespace

const SectionEntry& SectionRow(int section) { return kSections[section]; }
const char* SectionName(int section) { return kSections[section].name; }

}  // namespace bgltext
