#pragma once

#include <memory>

class BasePlugin;

/** Creates the product's plug-in object; each product defines it once. */
std::unique_ptr<BasePlugin> createProductPlugin();
