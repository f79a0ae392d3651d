#include "pellimore/common/layout_caps.h"

#include "pellimore/common/key_names.h"
#include "pellimore/common/words.h"

#include <algorithm>
#include <span>

namespace {

// A key as a US keyboard has it. A word key (symbol null) prints its name; the others print their symbol.
struct UsKey {
    const char* place;
    std::int32_t code;
    const char* symbol;
    bool punctuation = false;
};

// A place where a layout prints and sends something else than US.
struct OwnKey {
    const char* place;
    const char* cap;
    std::int32_t code;
};

// The keys without a run of siblings, by place.
constexpr UsKey singleUsKeys[] = {
    {"Minus", 189, "-", true},
    {"Equal", 187, "=", true},
    {"Backspace", 8, nullptr},
    {"Tab", 9, nullptr},
    {"BracketLeft", 219, "[", true},
    {"BracketRight", 221, "]", true},
    {"Backslash", 220, "\\", true},
    {"CapsLock", 20, nullptr},
    {"Semicolon", 186, ";", true},
    {"Quote", 222, "'", true},
    {"Enter", 13, nullptr},
    {"ShiftLeft", 16, nullptr},
    {"IntlBackslash", 226, "\\", true},
    {"Comma", 188, ",", true},
    {"Period", 190, ".", true},
    {"Slash", 191, "/", true},
    {"ShiftRight", 16, nullptr},
    {"ControlLeft", 17, nullptr},
    {"MetaLeft", 91, nullptr},
    {"AltLeft", 18, nullptr},
    {"Space", 32, nullptr},
    {"AltRight", 18, nullptr},
    {"MetaRight", 92, nullptr},
    {"ContextMenu", 93, nullptr},
    {"ControlRight", 17, nullptr},
    {"PrintScreen", 44, nullptr},
    {"ScrollLock", 145, nullptr},
    {"Pause", 19, nullptr},
    {"Insert", 45, nullptr},
    {"Home", 36, nullptr},
    {"PageUp", 33, nullptr},
    {"Delete", 46, nullptr},
    {"End", 35, nullptr},
    {"PageDown", 34, nullptr},
    {"ArrowUp", 38, "\xE2\x86\x91"},
    {"ArrowLeft", 37, "\xE2\x86\x90"},
    {"ArrowDown", 40, "\xE2\x86\x93"},
    {"ArrowRight", 39, "\xE2\x86\x92"},
    {"NumLock", 144, nullptr},
    {"NumpadDivide", 111, "/"},
    {"NumpadMultiply", 106, "*"},
    {"NumpadSubtract", 109, "-"},
    {"NumpadAdd", 107, "+"},
    {"NumpadEnter", 13, nullptr},
    {"NumpadDecimal", 110, "."},
};

std::vector<UsKey> usKeys() {
    std::vector<UsKey> keys{{"Escape", 27, nullptr}, {"Backquote", 192, "`", true}};
    static const char* const functionKeys[] = {"F1", "F2", "F3", "F4",  "F5",  "F6",
                                               "F7", "F8", "F9", "F10", "F11", "F12"};
    for (int number = 1; number <= 12; ++number)
        keys.push_back({functionKeys[number - 1], firstFunctionKeyCode + number - 1, functionKeys[number - 1]});
    static const char* const digits[] = {"Digit0", "Digit1", "Digit2", "Digit3", "Digit4",
                                         "Digit5", "Digit6", "Digit7", "Digit8", "Digit9"};
    static const char* const digitCaps[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    for (int digit = 0; digit <= 9; ++digit) keys.push_back({digits[digit], '0' + digit, digitCaps[digit]});
    static const char* const letters[] = {"KeyA", "KeyB", "KeyC", "KeyD", "KeyE", "KeyF", "KeyG", "KeyH", "KeyI",
                                          "KeyJ", "KeyK", "KeyL", "KeyM", "KeyN", "KeyO", "KeyP", "KeyQ", "KeyR",
                                          "KeyS", "KeyT", "KeyU", "KeyV", "KeyW", "KeyX", "KeyY", "KeyZ"};
    for (int letter = 0; letter < 26; ++letter) keys.push_back({letters[letter], 'A' + letter, letters[letter] + 3});
    static const char* const keypadDigits[] = {"Numpad0", "Numpad1", "Numpad2", "Numpad3", "Numpad4",
                                               "Numpad5", "Numpad6", "Numpad7", "Numpad8", "Numpad9"};
    for (int digit = 0; digit <= 9; ++digit)
        keys.push_back({keypadDigits[digit], firstKeypadDigitCode + digit, digitCaps[digit]});
    keys.insert(keys.end(), std::begin(singleUsKeys), std::end(singleUsKeys));
    return keys;
}

constexpr OwnKey british[] = {
    {"Backquote", "`", 223}, {"Quote", "'", 192}, {"Backslash", "#", 222}, {"IntlBackslash", "\\", 220}};
constexpr OwnKey german[] = {{"KeyY", "Z", 90},          {"KeyZ", "Y", 89},           {"Backquote", "^", 220},
                             {"Minus", "\xC3\x9F", 219}, {"Equal", "\xC2\xB4", 221},  {"BracketLeft", "\xC3\x9C", 186},
                             {"BracketRight", "+", 187}, {"Backslash", "#", 191},     {"Semicolon", "\xC3\x96", 192},
                             {"Quote", "\xC3\x84", 222}, {"IntlBackslash", "<", 226}, {"Slash", "-", 189}};
constexpr OwnKey swiss[] = {{"KeyY", "Z", 90},
                            {"KeyZ", "Y", 89},
                            {"Backquote", "\xC2\xA7", 191},
                            {"Minus", "'", 219},
                            {"Equal", "^", 221},
                            {"BracketLeft", "\xC3\x9C", 186},
                            {"BracketRight", "\xC2\xA8", 192},
                            {"Backslash", "$", 223},
                            {"Semicolon", "\xC3\x96", 222},
                            {"Quote", "\xC3\x84", 220},
                            {"IntlBackslash", "<", 226},
                            {"Slash", "-", 189}};
constexpr OwnKey french[] = {{"KeyQ", "A", 65},          {"KeyA", "Q", 81},
                             {"KeyW", "Z", 90},          {"KeyZ", "W", 87},
                             {"Semicolon", "M", 77},     {"KeyM", ",", 188},
                             {"Comma", ";", 190},        {"Period", ":", 191},
                             {"Slash", "!", 223},        {"Backquote", "\xC2\xB2", 222},
                             {"Minus", ")", 219},        {"BracketLeft", "^", 221},
                             {"BracketRight", "$", 186}, {"Quote", "\xC3\xB9", 192},
                             {"Backslash", "*", 220},    {"IntlBackslash", "<", 226}};
constexpr OwnKey belgian[] = {{"KeyQ", "A", 65},          {"KeyA", "Q", 81},
                              {"KeyW", "Z", 90},          {"KeyZ", "W", 87},
                              {"Semicolon", "M", 77},     {"KeyM", ",", 188},
                              {"Comma", ";", 190},        {"Period", ":", 191},
                              {"Slash", "=", 187},        {"Backquote", "\xC2\xB2", 222},
                              {"Minus", ")", 219},        {"Equal", "-", 189},
                              {"BracketLeft", "^", 221},  {"BracketRight", "$", 186},
                              {"Quote", "\xC3\xB9", 192}, {"Backslash", "\xC2\xB5", 220},
                              {"IntlBackslash", "<", 226}};
constexpr OwnKey spanish[] = {{"Backquote", "\xC2\xBA", 220}, {"Minus", "'", 219},
                              {"Equal", "\xC2\xA1", 221},     {"BracketLeft", "`", 186},
                              {"BracketRight", "+", 187},     {"Semicolon", "\xC3\x91", 192},
                              {"Quote", "\xC2\xB4", 222},     {"Backslash", "\xC3\x87", 191},
                              {"IntlBackslash", "<", 226},    {"Slash", "-", 189}};
constexpr OwnKey italian[] = {{"Backquote", "\\", 220},    {"Minus", "'", 219},
                              {"Equal", "\xC3\xAC", 221},  {"BracketLeft", "\xC3\xA8", 186},
                              {"BracketRight", "+", 187},  {"Semicolon", "\xC3\xB2", 192},
                              {"Quote", "\xC3\xA0", 222},  {"Backslash", "\xC3\xB9", 191},
                              {"IntlBackslash", "<", 226}, {"Slash", "-", 189}};
constexpr OwnKey brazilian[] = {{"Backquote", "'", 192},      {"BracketLeft", "\xC2\xB4", 219},
                                {"BracketRight", "[", 221},   {"Semicolon", "\xC3\x87", 186},
                                {"Quote", "~", 222},          {"Backslash", "]", 220},
                                {"IntlBackslash", "\\", 226}, {"Slash", ";", 191}};
constexpr OwnKey russian[] = {{"Backquote", "\xD0\x81", 192},    {"BracketLeft", "\xD0\xA5", 219},
                              {"BracketRight", "\xD0\xAA", 221}, {"Semicolon", "\xD0\x96", 186},
                              {"Quote", "\xD0\xAD", 222},        {"Comma", "\xD0\x91", 188},
                              {"Period", "\xD0\xAE", 190},       {"Slash", ".", 191}};

// Canadian French and Polish (programmer) keyboards send what US ones do at every place drawn here.
std::span<const OwnKey> ownKeysOf(KeyboardLayout layout) {
    switch (layout) {
        case KeyboardLayout::Us:
        case KeyboardLayout::CanadianFrench:
        case KeyboardLayout::Polish: return {};
        case KeyboardLayout::Uk: return british;
        case KeyboardLayout::German: return german;
        case KeyboardLayout::Swiss: return swiss;
        case KeyboardLayout::French: return french;
        case KeyboardLayout::Belgian: return belgian;
        case KeyboardLayout::Spanish: return spanish;
        case KeyboardLayout::Italian: return italian;
        case KeyboardLayout::Brazilian: return brazilian;
        case KeyboardLayout::Russian: return russian;
    }
    return {};
}

}  // namespace

bool hasIsoShape(KeyboardLayout layout) {
    return layout != KeyboardLayout::Us && layout != KeyboardLayout::CanadianFrench &&
           layout != KeyboardLayout::Polish && layout != KeyboardLayout::Russian;
}

std::optional<std::string> ownCapOf(KeyboardLayout layout, std::int32_t code) {
    for (const OwnKey& own : ownKeysOf(layout))
        if (own.code == code) return std::string(own.cap);
    return std::nullopt;
}

std::vector<KeyCap> layoutCaps(KeyboardLayout layout) {
    const std::span<const OwnKey> ownKeys = ownKeysOf(layout);
    std::vector<KeyCap> caps;
    for (const UsKey& key : usKeys()) {
        if (std::string_view(key.place) == "IntlBackslash" && !hasIsoShape(layout)) continue;  // no such key there
        const auto own = std::find_if(ownKeys.begin(), ownKeys.end(), [&](const OwnKey& candidate) {
            return std::string_view(candidate.place) == key.place;
        });
        const std::int32_t code = own != ownKeys.end() ? own->code : key.code;
        const std::string name = keyNameOn(layout, code);
        const std::string cap = own != ownKeys.end() ? own->cap : key.symbol ? key.symbol : name;
        caps.push_back({key.place, code, cap, name, key.punctuation});
    }
    return caps;
}

std::optional<KeyCap> capAt(KeyboardLayout layout, std::string_view place) {
    for (KeyCap& cap : layoutCaps(layout))
        if (cap.place == place) return cap;
    return std::nullopt;
}
