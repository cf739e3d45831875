#pragma once

#include "IACFUnknown.h"
#include "StandInObject.h"

#include <memory>
#include <string>
#include <vector>

class StandInAutomationDelegate;
class StandInComponentFactory;
class StandInController;
class StandInDescriptionHost;
class StandInHostServices;
class StandInTransport;
class StandInViewContainer;

// The stand-in host: the host object handed to the entry functions, and the owner of
// every other stand-in object, including those its factory creates. Interface versions
// can be refused one by one, so that the library's fallbacks are reachable.
class StandInHost : public IACFUnknown, public StandInObject
{
public:
    StandInHost();
    ~StandInHost();

    // The host object, as passed to ACFStartup and ACFRegisterPlugin.
    IACFUnknown* HostUnknown() { return this; }

    // The controller object, as passed to an effect's Initialize.
    IACFUnknown* ControllerUnknown();

    // The host window object, as passed to an effect GUI's SetViewContainer.
    IACFUnknown* ViewContainerUnknown();

    void Refuse (const acfIID& iid);
    bool Offers (const acfIID& iid) const;

    // The component factory query then succeeds without giving an object.
    void AnswerFactoryQueryWithoutObject (bool withoutObject) { mFactoryWithoutObject = withoutObject; }

    StandInComponentFactory& Factory() { return *mFactory; }
    StandInHostServices& Services() { return *mServices; }
    StandInController& Controller() { return *mController; }
    StandInAutomationDelegate& Automation() { return *mAutomation; }
    StandInDescriptionHost& DescriptionHost() { return *mDescriptionHost; }
    StandInTransport& Transport() { return *mTransport; }
    StandInViewContainer& ViewContainer() { return *mViewContainer; }

    // Creates an object the host keeps for the whole test.
    template <class Object, class... Args>
    Object& Make (Args&&... args)
    {
        auto object = std::make_unique<Object> (std::forward<Args> (args)...);
        Object& made = *object;
        mMade.push_back (std::move (object));
        return made;
    }

    // The objects made so far of one kind, in order of creation.
    template <class Object>
    std::vector<Object*> Made() const
    {
        std::vector<Object*> found;
        for (const auto& object : mMade)
            if (auto* wanted = dynamic_cast<Object*> (object.get()))
                found.push_back (wanted);
        return found;
    }

    // Identifiers for registered process procedures: 1, 2, ...
    uint32_t NextProcessProcID() { return ++mLastProcessProcID; }

    // References the library still holds on any stand-in object.
    int OutstandingReferences() const;
    std::vector<std::string> Violations() const;
    bool Balanced() const { return OutstandingReferences() == 0 && Violations().empty(); }

    ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) override;
    acfUInt32 AddRef() override;
    acfUInt32 Release() override;

private:
    std::vector<const StandInObject*> Objects() const;

    std::vector<acfIID> mRefused;
    bool mFactoryWithoutObject = false;
    uint32_t mLastProcessProcID = 0;
    std::unique_ptr<StandInComponentFactory> mFactory;
    std::unique_ptr<StandInHostServices> mServices;
    std::unique_ptr<StandInAutomationDelegate> mAutomation;
    std::unique_ptr<StandInController> mController;
    std::unique_ptr<StandInDescriptionHost> mDescriptionHost;
    std::unique_ptr<StandInTransport> mTransport;
    std::unique_ptr<StandInViewContainer> mViewContainer;
    std::vector<std::unique_ptr<StandInObject>> mMade;
};
