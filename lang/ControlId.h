// Resource IDs carried by widgets and actions, so that dialogs and menus can be
// re-texted by ID after they were built: every dialog control gets its control
// ID (IDC_STATIC for static texts without one of their own), every menu
// action its command ID. Objects without an ID are left alone.
#pragma once

#include <QObject>
#include <QVariant>

inline constexpr char kControlIdProperty[] = "vkxControlId";
inline constexpr char kCommandIdProperty[] = "vkxCommandId";

// 0 is never a control ID: in translation keys it stands for the caption.
inline void SetControlId(QObject* control, int id) { control->setProperty(kControlIdProperty, id); }

// The control's ID, or 0 when it carries none.
inline int ControlId(const QObject* control) { return control->property(kControlIdProperty).toInt(); }

// For QActions of menus; popups need none (their key uses 0).
inline void SetCommandId(QObject* action, int id) { action->setProperty(kCommandIdProperty, id); }

// The action's command ID, or 0 when it carries none.
inline int CommandId(const QObject* action) { return action->property(kCommandIdProperty).toInt(); }
