#include "support/TestPlugin.h"
#include "core/ProductFactory.h"
#include "support/TestPluginCore.h"

namespace test
{
    TestPlugin::TestPlugin()
        : NimbusEffect (std::make_unique<ParameterManager>())
    {
    }

    std::unique_ptr<BasePluginCore> TestPlugin::makeCore()
    {
        return std::make_unique<TestPluginCore>();
    }
}

// The product of the tests below the product layer.
std::unique_ptr<BasePlugin> createProductPlugin()
{
    return std::make_unique<test::TestPlugin>();
}
