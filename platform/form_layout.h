#pragma once
// The design of frmTAVLO: every control with its kind, design text, place, size (twips),
// tab index, font and colours. Window backends build the real window from this table.

#include "platform/controls.h"

#include <span>
#include <string_view>

namespace tavlo {

enum class ControlKind { TextBox, ListBox, Button, Label, CheckBox, Picker };

enum class FontFace {
    Regular,       // the window's regular font
    SansBold825,   // MS Sans Serif 8.25 pt bold
    Sans975,       // MS Sans Serif 9.75 pt regular
    SansBold135,   // MS Sans Serif 13.5 pt bold
    ArialBold975,  // Arial 9.75 pt bold
};

enum class ColourScheme {
    Default,
    LightYellowBackground,  // text boxes: red 255, green 255, blue 128
    LightBlueOpaque,        // credit shadow: light blue text (128,128,255) on an opaque background
    Transparent,            // default text colour on a transparent background
};

struct ControlDesign {
    ControlId id;
    std::string_view name;
    ControlKind kind;
    std::string_view designText;
    int left, top, width, height;  // twips, from the top-left of the client area
    int tabIndex;                  // -1: takes no part in the tab order
    FontFace font;
    ColourScheme colours;
};

struct FormDesign {
    std::string_view caption;
    int clientWidth, clientHeight;  // twips
    int left, top;                  // twips from the top-left of the screen
};

inline constexpr int kTwipsPerPixelAt96Dpi = 15;

const FormDesign& formDesign();
/// Every control, in tab order; labels lie underneath the others when drawn in reverse order.
std::span<const ControlDesign> controlDesigns();
const ControlDesign& controlDesign(ControlId id);

/// The credit caption shown twice (Label6(4), Label6(5)) as one text with a shadow.
inline constexpr std::string_view kCreditCaption = "Gallerie web TAVLO";

} // namespace tavlo
