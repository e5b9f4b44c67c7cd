// The menu "Archives": "Format 1" to "Format 5" shown modally; their
// "Utilise ce format" puts the sample in the working text ("Format 5" also
// sets the parameters of its sample, the page in front kept).
#pragma once

namespace sarvelo {

class TSarvelo;
class TFormatPreset;

void buildPresetCommands(TSarvelo& w);
// What "Utilise ce format" of a preset does to the main window.
void usePreset(TSarvelo& w, const TFormatPreset& preset);

}  // namespace sarvelo
