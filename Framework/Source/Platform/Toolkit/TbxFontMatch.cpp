// Font resolution through fontconfig.
#include "TbxFontMatch.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>

namespace {
struct TPatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using TPatternPtr = std::unique_ptr<FcPattern, TPatternDeleter>;

struct TFontSetDeleter {
  void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};
using TFontSetPtr = std::unique_ptr<FcFontSet, TFontSetDeleter>;

std::string StringOf(FcPattern* pattern, const char* object) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || !value) return {};
  return reinterpret_cast<const char*>(value);
}

int IntegerOf(FcPattern* pattern, const char* object, int otherwise) {
  int value = otherwise;
  return FcPatternGetInteger(pattern, object, 0, &value) == FcResultMatch ? value : otherwise;
}

// The configuration's synthetic rules mark a regular face that stands in for a bold one as
// emboldened (and give it the bold weight), an upright one for an italic as sheared.
bool IsEmboldened(FcPattern* font) {
  FcBool embolden = FcFalse;
  return FcPatternGetBool(font, FC_EMBOLDEN, 0, &embolden) == FcResultMatch && embolden;
}

bool IsSheared(FcPattern* font) {
  FcMatrix* matrix = nullptr;
  return FcPatternGetMatrix(font, FC_MATRIX, 0, &matrix) == FcResultMatch && matrix && matrix->xy != 0;
}

std::optional<TFontCandidate> CandidateOf(FcPattern* font) {
  TFontCandidate candidate;
  candidate.FileName = StringOf(font, FC_FILE);
  if (candidate.FileName.empty()) return std::nullopt;
  candidate.FaceIndex = IntegerOf(font, FC_INDEX, 0);
  candidate.Family = StringOf(font, FC_FAMILY);
  candidate.Bold = !IsEmboldened(font) && IntegerOf(font, FC_WEIGHT, FC_WEIGHT_REGULAR) >= FC_WEIGHT_DEMIBOLD;
  candidate.Italic = !IsSheared(font) && IntegerOf(font, FC_SLANT, FC_SLANT_ROMAN) != FC_SLANT_ROMAN;
  return candidate;
}

// The request with the configuration's substitutions ("Tahoma" to what the machine has).
TPatternPtr PatternOf(FcConfig* config, const TFontRequest& request) {
  TPatternPtr pattern(FcPatternCreate());
  if (!request.Family.empty())
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(request.Family.c_str()));
  FcPatternAddDouble(pattern.get(), FC_PIXEL_SIZE, request.PixelSize);
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, request.Bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, request.Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  return pattern;
}
}  // namespace

struct TFontMatcher::TImpl {
  FcConfig* Config = nullptr;
};

TFontMatcher::TFontMatcher() : FImpl(std::make_unique<TImpl>()) {
  // A configuration of our own, destroyed with us; fontconfig's default one is left to whoever
  // else in the process uses fontconfig (the native backend).
  FImpl->Config = FcInitLoadConfigAndFonts();
}

TFontMatcher::~TFontMatcher() {
  if (FImpl->Config) FcConfigDestroy(FImpl->Config);
}

bool TFontMatcher::HasFonts() const {
  if (!FImpl->Config) return false;
  FcFontSet* system = FcConfigGetFonts(FImpl->Config, FcSetSystem);
  FcFontSet* application = FcConfigGetFonts(FImpl->Config, FcSetApplication);
  return (system && system->nfont > 0) || (application && application->nfont > 0);
}

std::vector<TFontCandidate> TFontMatcher::Candidates(const TFontRequest& request, std::size_t count) const {
  std::vector<TFontCandidate> candidates;
  if (!FImpl->Config || count == 0) return candidates;
  TPatternPtr pattern = PatternOf(FImpl->Config, request);
  FcResult result = FcResultNoMatch;
  TPatternPtr best(FcFontMatch(FImpl->Config, pattern.get(), &result));
  if (best)
    if (auto candidate = CandidateOf(best.get())) candidates.push_back(*candidate);
  if (candidates.size() >= count) return candidates;
  // The best match may be a bitmap font or a file that does not load: the next ones in order.
  TFontSetPtr sorted(FcFontSort(FImpl->Config, pattern.get(), FcFalse, nullptr, &result));
  for (int i = 0; sorted && i < sorted->nfont && candidates.size() < count; ++i) {
    auto candidate = CandidateOf(sorted->fonts[i]);
    if (!candidate) continue;
    const bool seen = std::any_of(candidates.begin(), candidates.end(), [&](const TFontCandidate& c) {
      return c.FileName == candidate->FileName && c.FaceIndex == candidate->FaceIndex;
    });
    if (!seen) candidates.push_back(*candidate);
  }
  return candidates;
}
