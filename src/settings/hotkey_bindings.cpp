#include "settings/hotkey_bindings.h"

HotkeyBindings hotkeyBindings{};
