#include "editor/windows/WindowIcons.h"
#include "skin/EmbeddedIcons.h"

namespace
{
    std::unique_ptr<juce::Drawable> fromSvg (const char* svg)
    {
        return loadSvgDrawable (svg, std::strlen (svg));
    }

    // Drawn on the dark window header: light, like the close button.
    const char* const headerIconSvg =
        R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 32 32" width="32" height="32">)"
        R"(<circle cx="16" cy="16" r="13" fill="none" stroke="#E6E6E6" stroke-width="2.5"/>)"
        R"(<path d="M8 20 L8 12 L12 12 L12 16 L16 16 L16 10 L20 10 L20 18 L24 18 L24 20 Z" fill="#E6E6E6"/>)"
        R"(</svg>)";

    const char* const snapshotIconSvg =
        R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 32 32" width="32" height="32">)"
        R"(<path d="M4 10 L10 10 L12 6 L20 6 L22 10 L28 10 L28 26 L4 26 Z" fill="none" stroke="#000000" stroke-width="2.5" stroke-linejoin="round"/>)"
        R"(<circle cx="16" cy="17" r="5" fill="none" stroke="#000000" stroke-width="2.5"/>)"
        R"(</svg>)";

    const char* const skinIconSvg =
        R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 32 32" width="32" height="32">)"
        R"(<rect x="3" y="9" width="16" height="12" fill="none" stroke="#000000" stroke-width="2.5"/>)"
        R"(<rect x="12" y="5" width="17" height="22" fill="none" stroke="#000000" stroke-width="2.5"/>)"
        R"(</svg>)";

    const char* const qualityIconSvg =
        R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 32 32" width="32" height="32">)"
        R"(<path d="M3 16 C7 4 11 4 15 16 C19 28 23 28 27 16" fill="none" stroke="#000000" stroke-width="4" stroke-linecap="round"/>)"
        R"(<path d="M3 28 L29 28" fill="none" stroke="#000000" stroke-width="3.5"/>)"
        R"(</svg>)";

    const char* const midiIconSvg =
        R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 32 32" width="32" height="32">)"
        R"(<circle cx="16" cy="16" r="13" fill="none" stroke="#000000" stroke-width="2.5"/>)"
        R"(<circle cx="9" cy="16" r="2" fill="#000000"/><circle cx="23" cy="16" r="2" fill="#000000"/>)"
        R"(<circle cx="11" cy="10.5" r="2" fill="#000000"/><circle cx="21" cy="10.5" r="2" fill="#000000"/>)"
        R"(<circle cx="16" cy="8.5" r="2" fill="#000000"/><rect x="13" y="24" width="6" height="3" fill="#000000"/>)"
        R"(</svg>)";

    const char* const chevronRightSvg =
        R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 32 32" width="32" height="32">)"
        R"(<polyline points="11.66,24.68 20.34,16 11.66,7.32" fill="none" stroke="#000000" stroke-width="4.3" stroke-linecap="round" stroke-linejoin="round"/>)"
        R"(</svg>)";

    const char* const chevronDownSvg =
        R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 32 32" width="32" height="32">)"
        R"(<polyline points="7.32,11.66 16,20.34 24.68,11.66" fill="none" stroke="#000000" stroke-width="4.3" stroke-linecap="round" stroke-linejoin="round"/>)"
        R"(</svg>)";
}

namespace WindowIcons
{
    std::unique_ptr<juce::Drawable> createHeaderIcon() { return fromSvg (headerIconSvg); }
    std::unique_ptr<juce::Drawable> createSnapshotIcon() { return fromSvg (snapshotIconSvg); }
    std::unique_ptr<juce::Drawable> createSkinIcon() { return fromSvg (skinIconSvg); }
    std::unique_ptr<juce::Drawable> createQualityIcon() { return fromSvg (qualityIconSvg); }
    std::unique_ptr<juce::Drawable> createMidiIcon() { return fromSvg (midiIconSvg); }
    std::unique_ptr<juce::Drawable> createChevronRight() { return fromSvg (chevronRightSvg); }
    std::unique_ptr<juce::Drawable> createChevronDown() { return fromSvg (chevronDownSvg); }
}
