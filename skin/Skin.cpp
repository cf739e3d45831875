#include "skin/Skin.h"
#include "core/BasePlugin.h"
#include "skin/EmbeddedIcons.h"
#include "core/parameters/BoundedXmlReader.h"
#include "skin/Panel.h"
#include "skin/SkinImageReader.h"
#include "skin/SharedSkinImages.h"
#include "skin/StandardWidgetBuilder.h"
#include "skin/WidgetIcon.h"
#include "skin/widgets/EnumDisplay.h"
#include "skin/widgets/GFXMidiChannelDisplay.h"
#include "skin/widgets/GFXRocker.h"
#include "skin/widgets/ImgMixer.h"
#include "skin/widgets/ModulationMatrixComponent.h"
#include "skin/widgets/GFXMultiStateButton.h"
#include "skin/widgets/ImgAnim.h"
#include "skin/widgets/ImgButton.h"
#include "skin/widgets/ImgKnob.h"
#include "skin/widgets/ImgPictureDisplay.h"
#include "skin/widgets/ImgSlider.h"
#include "skin/widgets/ImgSwitch.h"
#include "skin/widgets/NumericDisplay.h"
#include "skin/widgets/PresetNameDisplay.h"
#include "skin/widgets/RoomVisualizer.h"
#include "skin/widgets/TextDisplay.h"

const juce::String Skin::incompatibleText ("Skin is not compatible. ");
const juce::String Skin::olderSkinText ("Skin is older than current code.");
const juce::String Skin::olderCodeText ("Current code is older than skin.");

namespace
{
    // Nested includes deeper than this are a loop or a mistake.
    constexpr int maxIncludeDepth = 16;

    /** Hexadecimal digits in order, everything else skipped; saturates instead of wrapping. */
    juce::int64 readHexSkipping (const juce::String& text)
    {
        juce::int64 value = 0;

        for (auto p = text.getCharPointer(); ! p.isEmpty(); ++p)
        {
            const int digit = juce::CharacterFunctions::getHexDigitValue (*p);

            if (digit >= 0)
                value = juce::jmin ((juce::int64) 0xFFFFFFFFLL, (value << 4) | digit);
        }

        return value;
    }

    /** The row of a widget that reads its element with the skin's help. */
    template <class Widget>
    WidgetRegistry::Factory widgetWithSkin (Skin& skin)
    {
        return [&skin] (const juce::ValueTree& element) { return std::make_unique<Widget> (element, skin); };
    }

    std::unique_ptr<juce::Component> createImgButton (const juce::ValueTree& element, Skin& skin)
    {
        // A "states" attribute asks for a button with more than two looks.
        if (element.hasProperty (GFXMultiStateButton::statesAttribute))
            return std::make_unique<GFXMultiStateButton> (element, skin);

        return std::make_unique<ImgButton> (element, skin);
    }

    /** What stands where an included description could not be built: its icon, so the skin's
        author sees the hole. */
    class BrokenInclude : public juce::Component,
                          public WidgetIcon
    {
    public:
        explicit BrokenInclude (const juce::ValueTree& element)
            : juce::Component (element.getProperty ("name").toString())
        {
            const int w = readSizeAttribute (element, "w");
            const int h = readSizeAttribute (element, "h");
            setTopLeftPosition (readCoordinateAttribute (element, "x"), readCoordinateAttribute (element, "y"));
            setIcon (*this, getEmbeddedIcon (EmbeddedIconKey::brokenInclude),
                     w > 0 ? w : defaultSize, h > 0 ? h : defaultSize);
        }

        static constexpr int defaultSize = 32;
    };
}

Skin::Skin (BasePlugin* p) : plugin (p)
{
    // One row a widget type; "Include" is the skin's own business (createIncluded).
    // clang-format off
    widgets.add (SkinElementType::Panel,             widgetWithSkin<Panel> (*this));
    widgets.add (SkinElementType::ImgAnim,           widgetWithSkin<ImgAnim> (*this));
    widgets.add (SkinElementType::ImgButton,         [this] (const juce::ValueTree& e) { return createImgButton (e, *this); });
    widgets.add (SkinElementType::ImgKnob,           widgetWithSkin<ImgKnob> (*this));
    widgets.add (SkinElementType::ImgSlider,         widgetWithSkin<ImgSlider> (*this));
    widgets.add (SkinElementType::ImgSwitch,         widgetWithSkin<ImgSwitch> (*this));
    widgets.add (SkinElementType::ImgPictureDisplay, widgetWithSkin<ImgPictureDisplay> (*this));
    widgets.add (SkinElementType::TextDisplay,       widgetWithSkin<TextDisplay> (*this));
    widgets.add (SkinElementType::NumericDisplay,    widgetWithSkin<NumericDisplay> (*this));
    widgets.add (SkinElementType::EnumDisplay,       widgetWithSkin<EnumDisplay> (*this));
    widgets.add (SkinElementType::PresetNameDisplay, widgetWithSkin<PresetNameDisplay> (*this));
    widgets.add (SkinElementType::Rocker,            widgetWithSkin<GFXRocker> (*this));
    widgets.add (SkinElementType::MidiChannelDisplay, widgetWithSkin<GFXMidiChannelDisplay> (*this));
    widgets.add (SkinElementType::ImgMixer,          widgetWithSkin<ImgMixer> (*this));
    widgets.add (SkinElementType::ModulationMatrix,  widgetWithSkin<ModulationMatrixComponent> (*this));
    widgets.add (SkinElementType::RoomVisualizer,    widgetWithSkin<RoomVisualizer> (*this));
    // clang-format on
    addStandardWidgets (widgets);
}

Skin::~Skin() = default;

ParameterManager* Skin::getParameterManager() const noexcept
{
    return plugin != nullptr ? &plugin->getParameterManager() : nullptr;
}

void Skin::setError (const juce::String& text)
{
    errorText = text;
    log ("Skin error: " + text);
}

void Skin::exceedLimit (const juce::String& text)
{
    if (limitError.isEmpty())
        limitError = text;
}

void Skin::log (const juce::String& message) const
{
    if (plugin != nullptr)
        plugin->logMessage (message);
}

bool Skin::isSafeFileName (const juce::String& fileName)
{
    if (fileName.isEmpty() || fileName.startsWithChar ('/') || fileName.containsChar ('\\')
        || fileName.containsChar (':') || fileName.containsChar (0))
        return false;

    for (const auto& part : juce::StringArray::fromTokens (fileName, "/", {}))
        if (part == ".." || part == ".")
            return false;

    return true;
}

bool Skin::readFile (const juce::String& fileName, juce::MemoryBlock& data, size_t maxBytes)
{
    data.reset();
    lastReadTooLarge = false;

    if (! isSafeFileName (fileName))
        return false;

    auto stream = openFile (fileName);

    if (stream == nullptr)
        return false;

    // Sizes in a package may lie: read at most one byte past the limit and check.
    const auto read = stream->readIntoMemoryBlock (data, (ssize_t) maxBytes + 1);

    if (read > maxBytes)
    {
        data.reset();
        lastReadTooLarge = true;
        return false;
    }

    return true;
}

juce::Image Skin::loadImage (const juce::String& fileName)
{
    if (const auto known = images.find (fileName); known != images.end())
        return known->second;

    // Another skin of the process may have decoded the same file of the same package.
    const auto sharedKey = getSharedImageKey();
    const auto key = sharedKey + "\n" + fileName;

    if (sharedKey.isNotEmpty())
        if (auto shared = SharedSkinImages::find (key); shared.isValid())
            return images[fileName] = shared;

    juce::MemoryBlock data;
    juce::Image image;

    if (readFile (fileName, data, maxImageBytes))
    {
        image = SkinImageReader::decode (data.getData(), data.getSize());

        if (! image.isValid())
            log ("Skin image is not a sound PNG: " + fileName);
        else if (sharedKey.isNotEmpty())
            SharedSkinImages::add (key, image);
    }

    images[fileName] = image;
    return image;
}

juce::String Skin::getDescriptionFileName (const juce::String& descriptionName)
{
    auto name = descriptionName.isEmpty() ? juce::String (mainDescriptionName) : descriptionName;

    if (! name.endsWithIgnoreCase (descriptionExtension))
        name << descriptionExtension;

    return name;
}

juce::ValueTree Skin::loadGuiDescription (const juce::String& descriptionName)
{
    const auto fileName = getDescriptionFileName (descriptionName);
    juce::MemoryBlock data;

    if (! readFile (fileName, data, maxDescriptionBytes))
    {
        const auto storageError = getStorageError();
        setError (storageError.isNotEmpty() ? storageError
                      : wasTooLarge()       ? "Skin description \"" + fileName + "\" is too large."
                                            : "Skin description \"" + fileName + "\" not found.");

        return {};
    }

    // Every description included while a GUI is built counts, so includes cannot multiply
    // the reading.
    if (! descriptionsBeingBuilt.isEmpty())
        descriptionBytesRead += data.getSize();

    if (descriptionBytesRead > maxDescriptionBytesPerGui)
    {
        exceedLimit ("the skin's descriptions together are larger than " + BoundedXmlReader::describeSize (maxDescriptionBytesPerGui) + ".");
        setError ("Skin description \"" + fileName + "\": " + limitError);
        return {};
    }

    juce::String xmlError;
    const auto xml = BoundedXmlReader::parse (data.getData(), data.getSize(), { maxDescriptionBytes, maxDescriptionDepth }, xmlError);

    if (xml == nullptr)
    {
        setError ("Skin description \"" + fileName + "\" cannot be read: " + xmlError);
        return {};
    }

    if (! BoundedXmlReader::hasTag (*xml, "GuiDescription"))
    {
        setError ("Skin description \"" + fileName + "\" is not a \"GuiDescription\".");
        return {};
    }

    auto tree = juce::ValueTree::fromXml (*xml);
    const auto skinVersion = readHexSkipping (tree.getProperty ("gui_ver").toString());
    const auto codeVersion = (juce::int64) getCodeGuiVersion();

    log ("Skin description " + fileName + ": id \"" + tree.getProperty ("id").toString()
         + "\", application \"" + tree.getProperty ("application").toString()
         + "\", gui_ver 0x" + juce::String::toHexString (skinVersion));

    if (skinVersion != codeVersion)
    {
        setError (incompatibleText + (skinVersion < codeVersion ? olderSkinText : olderCodeText));
        return {};
    }

    return tree;
}

std::unique_ptr<juce::Component> Skin::createGui (const juce::String& descriptionName)
{
    errorText.clear();
    elementsBuilt = 0;
    includesExpanded = 0;
    descriptionBytesRead = 0;
    limitError.clear();
    const auto fileName = getDescriptionFileName (descriptionName);
    const auto tree = loadGuiDescription (descriptionName);

    if (! tree.isValid())
        return nullptr;

    const auto panelElement = tree.getChildWithName ("Panel");

    if (! panelElement.isValid())
    {
        setError ("Skin description \"" + fileName + "\" has no \"Panel\".");
        return nullptr;
    }

    descriptionsBeingBuilt.add (fileName);
    auto gui = createComponent (panelElement);
    descriptionsBeingBuilt.removeString (fileName);

    // A skin past its limits is refused whole rather than shown in part.
    if (limitError.isNotEmpty())
    {
        setError ("Skin description \"" + fileName + "\": " + limitError);
        return nullptr;
    }

    if (gui == nullptr)
    {
        setError ("Skin description \"" + fileName + "\": its \"Panel\" cannot be built.");
        return nullptr;
    }

    errorText.clear();
    return gui;
}

std::unique_ptr<juce::Component> Skin::createIncluded (const juce::ValueTree& element)
{
    const auto fileName = getDescriptionFileName (element.getProperty ("file").toString());

    if (element.getProperty ("file").toString().isEmpty())
    {
        log ("Skin: \"Include\" without \"file\"");
        return std::make_unique<BrokenInclude> (element);
    }

    if (descriptionsBeingBuilt.contains (fileName) || descriptionsBeingBuilt.size() >= maxIncludeDepth)
    {
        log ("Skin: \"Include\" of " + fileName + " would include itself");
        return std::make_unique<BrokenInclude> (element);
    }

    if (++includesExpanded > maxIncludes)
    {
        exceedLimit ("more than " + juce::String (maxIncludes) + " includes.");
        return nullptr;
    }

    const auto savedError = errorText;
    const auto tree = loadGuiDescription (fileName);
    const auto panelElement = tree.getChildWithName ("Panel");

    if (! panelElement.isValid())
    {
        log ("Skin: \"Include\" of " + fileName + " cannot be built: "
             + (tree.isValid() ? juce::String ("it has no \"Panel\"") : errorText));
        errorText = savedError;
        return std::make_unique<BrokenInclude> (element);
    }

    descriptionsBeingBuilt.add (fileName);
    auto c = createComponent (panelElement);
    descriptionsBeingBuilt.removeString (fileName);

    if (c == nullptr)
        return std::make_unique<BrokenInclude> (element);

    // The include's own position, when given, places the included panel.
    if (c != nullptr && (element.hasProperty ("x") || element.hasProperty ("y")))
        c->setTopLeftPosition (element.getProperty ("x", c->getX()), element.getProperty ("y", c->getY()));

    return c;
}

std::unique_ptr<juce::Component> Skin::createComponent (const juce::ValueTree& element)
{
    if (! element.isValid() || limitError.isNotEmpty())
        return nullptr;

    if (++elementsBuilt > maxElements)
    {
        exceedLimit ("more than " + juce::String (maxElements) + " elements.");
        return nullptr;
    }

    const auto type = element.getType();
    auto c = type == SkinElementType::Include ? createIncluded (element) : widgets.create (element);

    if (c == nullptr)
    {
        // An include that built nothing has said why.
        if (type != SkinElementType::Include)
            log ("Skin: element \"" + type.toString() + "\" is not a known widget; skipped");

        return nullptr;
    }

    const auto name = element.getProperty ("name").toString();

    if (name.isNotEmpty())
    {
        auto& slot = components[name];

        // The first widget of a name keeps it, as long as it lives.
        if (slot == nullptr)
            slot = c.get();
        else
            log ("Skin: a second widget is named \"" + name + "\"; the first keeps the name");
    }

    return c;
}

juce::Component* Skin::getComponent (const juce::String& name) const
{
    const auto found = components.find (name);
    return found != components.end() ? found->second.getComponent() : nullptr;
}
