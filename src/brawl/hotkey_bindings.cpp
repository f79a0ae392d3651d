#include "brawl/hotkey_bindings.h"

HotkeyBindings hotkeyBindings{};
