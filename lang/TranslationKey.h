// The 32-bit key naming one translatable text. The top two bits give the kind;
// the rest identify the text within its menu, dialog or string table:
//   menu   01 | menu ID mod 1024 (10 bits) | popup ordinal mod 16 (4 bits) | command ID (16 bits, 0 = popup)
//   dialog 10 | dialog ID mod 16384 (14 bits) | control ID (16 bits, 0 = caption)
//   string 11 | string ID (30 bits)
// IDs beyond these ranges share keys; the program's own resources stay inside them.
#pragma once

#include <cstdint>

using TranslationKey = uint32_t;

enum class TranslationKind : unsigned { Menu = 1, Dialog = 2, String = 3 };

constexpr unsigned kKindShift = 30;
constexpr TranslationKey kMenuKeyBase = TranslationKey(TranslationKind::Menu) << kKindShift;
constexpr TranslationKey kDialogKeyBase = TranslationKey(TranslationKind::Dialog) << kKindShift;

// The kind in the key's top two bits; 0 for a key of no known kind.
constexpr unsigned KeyKind(TranslationKey key) { return key >> kKindShift; }

constexpr TranslationKey MenuKey(unsigned menuId, unsigned popupOrdinal, unsigned commandId) {
    return kMenuKeyBase + (menuId % 1024u) * 0x100000u + (popupOrdinal % 16u) * 0x10000u + (commandId & 0xFFFFu);
}

constexpr TranslationKey DialogCaptionKey(unsigned dialogId) { return kDialogKeyBase + (dialogId % 16384u) * 0x10000u; }

// Control IDs are 16-bit in keys: IDC_STATIC (-1) becomes 65535.
constexpr TranslationKey DialogControlKey(unsigned dialogId, int controlId) {
    return DialogCaptionKey(dialogId) + (unsigned(controlId) & 0xFFFFu);
}

constexpr TranslationKey StringKey(unsigned stringId) {
    return (TranslationKey(TranslationKind::String) << kKindShift) + (stringId & 0x3FFFFFFFu);
}

static_assert(StringKey(10043) == 0xC0000000u + 10043);
static_assert(DialogControlKey(130, 1002) == 0x80000000u + 130u * 65536u + 1002u);
static_assert(MenuKey(128, 1, 57601) == 0x40000000u + 128u * 1048576u + 1u * 65536u + 57601u);
static_assert(KeyKind(MenuKey(128, 5, 0)) == unsigned(TranslationKind::Menu));
