#pragma once
// The controls of one dialog built from its template: found by id, taken over by custom controls,
// radio groups exclusive within their own template group, and notifications routed through the class's
// message map. Each dialog class (modeless panel or modal dialog) holds one.

#include "DialogTemplate.h"
#include "DialogUnits.h"
#include "HandlerDispatch.h"
#include "MessageMap.h"
#include "Rect.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <span>
#include <string>
#include <vector>

class CDialogControls
{
public:
    // An edit takes at most this many characters, all printable ASCII.
    static constexpr int kMaxEditChars = 255;

    // Creates every control of the template as a child of pHost, in template order, and gives pHost the
    // template's size in pixels (dialog units converted from the template's font, which pHost also gets).
    // Group boxes and frame statics are stacked under the other controls and let the mouse through.
    // Each edit and combo box is named for assistive tools by the static or group box right before it, and a
    // group box inside another by both captions.
    void Build(QWidget* pHost, const SDialogTemplate& dialogTemplate);

    // As the dialog manager does when a dialog is created: the focus goes to the first enabled control of
    // host that the Tab key reaches, and an edit gets it with its whole text selected, so that typing
    // replaces the text. (Tab itself selects an edit's text in Qt as on Windows.)
    static void FocusFirstTabStop(QWidget& host);

    const SBaseUnits& BaseUnits() const { return m_baseUnits; }
    QSize SizeInPixels() const { return m_size; }

    QWidget* Item(int nId) const; // null for an id the template does not have
    template <class T> T* ItemAs(int nId) const { return qobject_cast<T*>(Item(nId)); }
    CRect ItemRect(int nId) const; // in the host's client coordinates; empty for an unknown id

    // The custom control takes over the template control nId: it gets its parent, id, geometry, text,
    // font, enabled and visible state, tab stop and z-order, and every message-map binding of the id.
    // The placeholder is deleted. Returns false, changing nothing, for an unknown id.
    bool Subclass(int nId, QWidget* pCustom);

    // Checks nCheck and unchecks every other radio button whose id lies in nFirst..nLast.
    void CheckRadioButton(int nFirst, int nLast, int nCheck);
    bool IsChecked(int nId) const; // radio button or check box
    void SetCheck(int nId, bool bChecked);

    // Texts are 8-bit; a text read is cut at nMaxChars characters.
    std::string Text(int nId, std::size_t nMaxChars = 255) const;
    void SetText(int nId, const std::string& text);
    void Enable(int nId, bool bEnable);
    bool IsEnabled(int nId) const;
    void Show(int nId, bool bShow);
    bool IsShown(int nId) const; // the control's own visibility flag, whether or not the host is shown

    // Combo boxes (CB_ messages). A sorted combo box inserts in the platform's order: case ignored, blanks
    // and punctuation before digits before letters. Indices are -1 when there is no selection or no match.
    void ResetContent(int nId);
    int AddString(int nId, const std::string& text);
    int GetCount(int nId) const;
    int GetCurSel(int nId) const;
    void SetCurSel(int nId, int nIndex); // programmatic: never a CBN_SELCHANGE
    std::string GetLBText(int nId, int nIndex) const;
    // The first item after nStartAfter (-1: from the top) whose text begins with the prefix, ignoring case.
    int FindString(int nId, int nStartAfter, const std::string& prefix) const;

    // Routes the notifications of the message map to pTarget's handlers. A handler runs under
    // DispatchHandler, so an escaping CUserException is discarded.
    template <class T> void Bind(T* pTarget, std::span<const SMessageEntry<T>> messageMap)
    {
        for (const auto& entry : messageMap)
        {
            if (entry.nCode != WM_COMMAND_MENU) // menu commands belong to the menu bar
            {
                auto pfn = entry.pfnHandler;
                Connect(entry.nCode, entry.nId, [pTarget, pfn] { (pTarget->*pfn)(); });
            }
        }
    }

    // One notification of one control to a handler, run under DispatchHandler. A binding made before the
    // control exists takes effect when it is built, and it follows the control into a Subclass.
    void Connect(ENotification nCode, int nId, std::function<void()> handler);

private:
    struct SBinding
    {
        ENotification nCode;
        int nId;
        std::function<void()> handler;
    };

    // Steps of Build.
    void SizeHost(QWidget* pHost, const SDialogTemplate& dialogTemplate); // font, base units, size, title
    QWidget* CreatePlaced(const SControlTemplate& control, QWidget* pHost) const; // geometry, id, caption
    void Register(const SControlTemplate& control, QWidget* pControl); // found by id, items, bindings

    void WireBindings(int nId, QWidget* pControl); // every binding of the id made so far
    void Wire(const SBinding& binding, QWidget* pControl);

    SBaseUnits m_baseUnits{};
    QSize m_size;
    std::map<int, QPointer<QWidget>> m_items; // a control deleted by its owner reads as absent
    std::vector<SBinding> m_bindings;
};
