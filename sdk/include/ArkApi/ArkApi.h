#pragma once

// Everything the framework publishes to plugins.

#include "ArkApi/BasicTypes.h"
#include "ArkApi/ChatMessage.h"
#include "ArkApi/FMemory.h"
#include "ArkApi/FString.h"
#include "ArkApi/IApiUtils.h"
#include "ArkApi/ICommands.h"
#include "ArkApi/Log.h"
#include "ArkApi/Permissions.h"
#include "ArkApi/PluginEntry.h"
#include "ArkApi/Resolver.h"
#include "ArkApi/TArray.h"
#include "ArkApi/Tools.h"
#include "ArkApi/Vector.h"
#include "ArkApi/WeakObjectPtr.h"
