#include "editor/DefaultSettingsComponent.h"
#include "skin/ComponentRow.h"
#include "skin/HardLabel.h"
#include "skin/widgets/ComboBoxButton.h"

struct DefaultSettingsComponent::Rows
{
    // Declared so that the rows go before the widgets they hold.
    HardLabel realTimeLabel { {}, "Real-time" }, offlineLabel { {}, "Offline" };
    ComboBoxButton realTimeChoice, offlineChoice;
    ComponentRow realTimeRow, offlineRow, outer;
};

DefaultSettingsComponent::DefaultSettingsComponent()
{
    setSize (0, 20);
}

DefaultSettingsComponent::~DefaultSettingsComponent() = default;

void DefaultSettingsComponent::setParameters (Parameter* realTime, Parameter* offline)
{
    rows.reset();
    auto r = std::make_unique<Rows>();

    for (auto* label : { &r->realTimeLabel, &r->offlineLabel })
    {
        label->setBorderSize ({ 0, 0, 0, 0 });
        label->setJustificationType (juce::Justification::centredRight);
    }

    for (auto* choice : { &r->realTimeChoice, &r->offlineChoice })
        choice->setSize (150, 20);

    r->realTimeRow.setVertical (false);
    r->realTimeRow.setAlignment (ComponentRow::centre);
    r->realTimeRow.setSpacing (6);
    r->realTimeRow.add (&r->realTimeLabel);
    r->realTimeRow.add (&r->realTimeChoice);

    r->offlineRow.setVertical (false);
    r->offlineRow.setAlignment (ComponentRow::centre);
    r->offlineRow.setSpacing (6);
    r->offlineRow.add (&r->offlineLabel);
    r->offlineRow.add (&r->offlineChoice);

    r->outer.setVertical (false);
    r->outer.setAlignment (ComponentRow::start);
    r->outer.setSpacing (20);
    r->outer.add (&r->realTimeRow);
    r->outer.add (&r->offlineRow);

    rows = std::move (r);
    addAndMakeVisible (rows->outer);
    rows->realTimeChoice.setParameter (realTime);
    rows->offlineChoice.setParameter (offline);
    resized();
}

ComboBoxButton* DefaultSettingsComponent::getRealTimeChoice() const noexcept { return rows != nullptr ? &rows->realTimeChoice : nullptr; }
ComboBoxButton* DefaultSettingsComponent::getOfflineChoice() const noexcept { return rows != nullptr ? &rows->offlineChoice : nullptr; }
ComponentRow* DefaultSettingsComponent::getOuterRow() const noexcept { return rows != nullptr ? &rows->outer : nullptr; }

void DefaultSettingsComponent::resized()
{
    if (rows == nullptr)
        return;

    rows->realTimeLabel.fitWidthToText (20);
    rows->offlineLabel.fitWidthToText (20);
    rows->outer.setCentreRelative (0.5f, 0.5f);
}

void DefaultSettingsComponent::lookAndFeelChanged()
{
    resized();
}
