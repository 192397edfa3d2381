#include "DialogControls.h"

#include "AccessibleFactory.h"
#include "Button.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QWheelEvent>

#include <algorithm>
#include <climits>

namespace
{
// A combo box takes the mouse wheel only while it has the keyboard focus, as a Windows combo box does,
// so scrolling over a panel never changes a setting by accident.
class CComboBox : public QComboBox
{
public:
    using QComboBox::QComboBox;

protected:
    void wheelEvent(QWheelEvent* pEvent) override
    {
        if (hasFocus())
            QComboBox::wheelEvent(pEvent);
        else
            pEvent->ignore(); // on to the panel beneath
    }
};

constexpr const char* kCtrlId = "ctrlId";
constexpr const char* kWindowText = "windowText"; // a static's caption as set, mnemonic marks included
constexpr const char* kSorted = "sorted";

bool IsCombo(EControlKind kind)
{
    return kind == EControlKind::DropDownCombo || kind == EControlKind::DropDownList;
}

bool IsStatic(EControlKind kind)
{
    return kind == EControlKind::Static || kind == EControlKind::StaticRight;
}

// What a static shows of its caption: "&" marks the next character as the mnemonic, "&&" is one "&".
QString ShownCaption(const QString& caption)
{
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i)
    {
        if (caption[i] == QLatin1Char('&'))
            ++i;
        if (i < caption.size())
            shown += caption[i];
    }
    return shown;
}

// The window text of any control, as Windows' Get/SetWindowText see it.
void SetWindowText(QWidget* pControl, const QString& text)
{
    if (auto* pLabel = qobject_cast<QLabel*>(pControl))
    {
        pLabel->setProperty(kWindowText, text);
        pLabel->setText(ShownCaption(text));
    }
    else if (auto* pButton = qobject_cast<QAbstractButton*>(pControl))
    {
        pButton->setText(text);
    }
    else if (auto* pGroup = qobject_cast<QGroupBox*>(pControl))
    {
        pGroup->setTitle(text);
    }
    else if (auto* pEdit = qobject_cast<QLineEdit*>(pControl))
    {
        pEdit->setText(text);
    }
    else if (auto* pCombo = qobject_cast<QComboBox*>(pControl))
    {
        if (pCombo->isEditable()) // a drop-down list's text is always one of its items
            pCombo->setEditText(text);
    }
    else
    {
        pControl->setWindowTitle(text);
    }
}

QString WindowText(const QWidget* pControl)
{
    if (auto* pLabel = qobject_cast<const QLabel*>(pControl))
        return pLabel->property(kWindowText).toString();
    if (auto* pButton = qobject_cast<const QAbstractButton*>(pControl))
        return pButton->text();
    if (auto* pGroup = qobject_cast<const QGroupBox*>(pControl))
        return pGroup->title();
    if (auto* pEdit = qobject_cast<const QLineEdit*>(pControl))
        return pEdit->text();
    if (auto* pCombo = qobject_cast<const QComboBox*>(pControl))
        return pCombo->currentText();
    return pControl->windowTitle();
}

// Checks or unchecks a button; the checked radio button of an exclusive group can be unchecked too, as
// a program can do to an automatic radio button.
void SetButtonCheck(QAbstractButton* pButton, bool bChecked)
{
    QButtonGroup* pGroup = pButton->group();
    if (!bChecked && pGroup && pGroup->exclusive() && pButton->isChecked())
    {
        pGroup->setExclusive(false);
        pButton->setChecked(false);
        pGroup->setExclusive(true);
        return;
    }
    pButton->setChecked(bChecked);
}

// The order of a sorted combo box, as the platform's sorts: case ignored, and blanks and punctuation before
// digits before letters, so that "GPIB0::1::INSTR" comes before "GPIB0::10::INSTR". Negative when a sorts
// before b, 0 when they are equal ignoring case.
int CompareItemTexts(const QString& a, const QString& b)
{
    const auto rank = [](QChar c) { return c.isLetter() ? 2 : c.isDigit() ? 1 : 0; };
    const qsizetype nCommon = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < nCommon; ++i)
    {
        const QChar ca = a[i].toCaseFolded();
        const QChar cb = b[i].toCaseFolded();
        if (ca != cb)
            return rank(ca) != rank(cb) ? rank(ca) - rank(cb) : ca.unicode() - cb.unicode();
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

// Inserts at the end, or in the platform's order in a sorted combo box, leaving the selection and the
// edit text as they were (Qt would otherwise select the first item put into an empty list).
int InsertItem(QComboBox* pCombo, const QString& text)
{
    int nIndex = pCombo->count();
    if (pCombo->property(kSorted).toBool())
    {
        nIndex = 0;
        while (nIndex < pCombo->count() && CompareItemTexts(pCombo->itemText(nIndex), text) <= 0)
            ++nIndex;
    }
    const int nSelected = pCombo->currentIndex();
    const QString editText = pCombo->currentText();
    pCombo->insertItem(nIndex, text);
    if (nSelected < 0 && pCombo->currentIndex() >= 0)
    {
        pCombo->setCurrentIndex(-1);
        if (pCombo->isEditable())
            pCombo->setEditText(editText);
    }
    return nIndex;
}

// An automatic radio button. The button group of its template group makes it exclusive within that group
// (and lets the program uncheck it); being auto-exclusive as well makes it a radio button to assistive
// tools. The arrow keys move through the group as the dialog manager does, not by geometry as Qt would:
// Down and Right to the next enabled radio in template order, Up and Left to the previous one, wrapping
// at the ends. The radio moved to is checked and sends its click, also when none of the group was checked.
// Tab enters the group at its checked radio, as the dialog manager does, not at the one focused last as Qt
// would: the checked radio holds the group's tab stop, and with none checked the radio the template gives it.
QAccessibleInterface* RadioAccessibleFactory(const QString& key, QObject* pObject);

class CAutoRadioButton : public QRadioButton
{
public:
    CAutoRadioButton(QWidget* pParent, bool bTabStop) : QRadioButton(pParent), m_bTabStop(bTabStop)
    {
        InstallAccessibleFactory<&RadioAccessibleFactory>();
        QObject::connect(this, &QAbstractButton::toggled, this, [this] { PlaceGroupTabStop(); });
    }

protected:
    void focusInEvent(QFocusEvent* pEvent) override
    {
        QRadioButton::focusInEvent(pEvent); // gives the group's tab stop to this radio
        PlaceGroupTabStop();
    }

    void keyPressEvent(QKeyEvent* pEvent) override
    {
        const int nKey = pEvent->key();
        const int nStep = nKey == Qt::Key_Down || nKey == Qt::Key_Right ? 1
                          : nKey == Qt::Key_Up || nKey == Qt::Key_Left  ? -1
                                                                        : 0;
        if (nStep == 0 || group() == nullptr)
        {
            QRadioButton::keyPressEvent(pEvent);
            return;
        }
        QAbstractButton* pTarget = NextInGroup(nStep);
        if (pTarget != this)
        {
            pTarget->setFocus(Qt::TabFocusReason);
            if (!pTarget->isChecked())
                pTarget->click();
        }
    }

private:
    // The next radio of the group that can take the focus, nStep (1 or -1) through template order, wrapping;
    // this one when there is no other.
    QAbstractButton* NextInGroup(int nStep)
    {
        const QList<QAbstractButton*> buttons = group()->buttons();
        const qsizetype nCount = buttons.size();
        const qsizetype nHere = buttons.indexOf(this);
        for (qsizetype i = 1; i < nCount; ++i)
        {
            QAbstractButton* pButton = buttons[(nHere + nStep * i + nCount) % nCount];
            if (pButton->isEnabled() && !pButton->isHidden())
                return pButton;
        }
        return this;
    }

    void PlaceGroupTabStop()
    {
        const QList<QAbstractButton*> buttons = group() ? group()->buttons() : QList<QAbstractButton*>{this};
        const auto itTemplate = std::ranges::find_if(buttons, &CAutoRadioButton::IsTemplateTabStop);
        const auto itChecked = std::ranges::find_if(buttons, &QAbstractButton::isChecked);
        QAbstractButton* pHolder = nullptr; // a group without a tab stop in the template has none
        if (itTemplate != buttons.end())
            pHolder = itChecked != buttons.end() ? *itChecked : *itTemplate;
        for (QAbstractButton* pButton : buttons)
            pButton->setFocusPolicy(pButton == pHolder ? Qt::StrongFocus : Qt::ClickFocus);
    }

    static bool IsTemplateTabStop(QAbstractButton* pButton)
    {
        const auto* pRadio = dynamic_cast<const CAutoRadioButton*>(pButton);
        return pRadio && pRadio->m_bTabStop;
    }

    bool m_bTabStop; // the template gives this radio the group's tab stop
};

// What assistive tools get of an automatic radio button: a radio button with its caption as name, whose
// Toggle and Press actions click it as the mouse does, so that its dialog hears BN_CLICKED, as the default
// action of a radio button sends it on Windows. (Qt's own Toggle only checks the radio, and its Press
// clicks later, from a timer.)
class CRadioAccessible : public QAccessibleWidget
{
public:
    explicit CRadioAccessible(CAutoRadioButton* pRadio) : QAccessibleWidget(pRadio, QAccessible::RadioButton)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return ShownCaption(Radio()->text());
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = Radio()->isChecked();
        s.pressed = Radio()->isDown();
        return s;
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (widget()->isEnabled())
            names.prepend(toggleAction());
        return names;
    }

    void doAction(const QString& actionName) override
    {
        if (actionName != toggleAction() && actionName != pressAction())
            QAccessibleWidget::doAction(actionName);
        else if (widget()->isEnabled())
            Radio()->click();
    }

private:
    QAbstractButton* Radio() const { return static_cast<QAbstractButton*>(widget()); }
};

QAccessibleInterface* RadioAccessibleFactory(const QString& /*key*/, QObject* pObject)
{
    auto* pRadio = dynamic_cast<CAutoRadioButton*>(pObject);
    return pRadio ? new CRadioAccessible(pRadio) : nullptr;
}

// A group box's caption as assistive tools speak it.
QString GroupName(const QWidget* pGroup)
{
    return ShownCaption(qobject_cast<const QGroupBox*>(pGroup)->title()).trimmed();
}

// Names an edit or combo box for assistive tools as screen readers name a dialog's fields: a static right
// before it in the template (past a hint) names it as its buddy, so the name follows the static's text;
// a group box right before it names it by its caption. The hint describes it.
void LabelField(QWidget* pField, QWidget* pLabel, const QString& hint)
{
    if (auto* pStatic = qobject_cast<QLabel*>(pLabel))
        pStatic->setBuddy(pField);
    else if (qobject_cast<QGroupBox*>(pLabel))
        pField->setAccessibleName(GroupName(pLabel));
    pField->setAccessibleDescription(hint);
}

QWidget* CreateControl(const SControlTemplate& control, QWidget* pHost, int nHeight)
{
    const Qt::FocusPolicy focus = (control.nStyle & CS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus;
    QWidget* pControl = nullptr;
    switch (control.kind)
    {
    case EControlKind::Static:
    case EControlKind::StaticRight:
    {
        auto* pLabel = new QLabel(pHost);
        pLabel->setTextFormat(Qt::PlainText);
        pLabel->setAlignment((control.kind == EControlKind::Static ? Qt::AlignLeft : Qt::AlignRight) |
                             Qt::AlignTop);
        pLabel->setWordWrap(nHeight >= 2 * QFontMetrics(pHost->font()).height());
        return pLabel;
    }
    case EControlKind::FrameStatic:
    {
        auto* pFrame = new QFrame(pHost);
        pFrame->setFrameStyle(QFrame::Box | QFrame::Plain);
        pFrame->setLineWidth(1);
        QPalette palette = pFrame->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        pFrame->setPalette(palette);
        return pFrame;
    }
    case EControlKind::GroupBox:
        return new QGroupBox(pHost);
    case EControlKind::PushButton:
    case EControlKind::DefPushButton:
    {
        auto* pButton = new QPushButton(pHost);
        pButton->setDefault(control.kind == EControlKind::DefPushButton && qobject_cast<QDialog*>(pHost));
        pControl = pButton;
        break;
    }
    case EControlKind::OwnerDrawButton:
        pControl = new CButton(pHost);
        break;
    case EControlKind::AutoRadioButton:
        pControl = new CAutoRadioButton(pHost, (control.nStyle & CS_TABSTOP) != 0);
        break;
    case EControlKind::AutoCheckBox:
        pControl = new QCheckBox(pHost);
        break;
    case EControlKind::Edit:
    {
        // What the operator types in an edit goes to the instrument, whose texts are printable ASCII of
        // at most 255 characters.
        auto* pEdit = new QLineEdit(pHost);
        pEdit->setMaxLength(CDialogControls::kMaxEditChars);
        pEdit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[ -~]*")), pEdit));
        pControl = pEdit;
        break;
    }
    case EControlKind::DropDownCombo:
    case EControlKind::DropDownList:
    {
        auto* pCombo = new CComboBox(pHost);
        pCombo->setEditable(control.kind == EControlKind::DropDownCombo);
        pCombo->setInsertPolicy(QComboBox::NoInsert);
        pCombo->setProperty(kSorted, (control.nStyle & CS_SORTED) != 0);
        pCombo->view()->setVerticalScrollBarPolicy((control.nStyle & CS_VSCROLL) ? Qt::ScrollBarAsNeeded
                                                                                 : Qt::ScrollBarAlwaysOff);
        pControl = pCombo;
        break;
    }
    }
    pControl->setFocusPolicy(focus);
    return pControl;
}

// A template control and the widget built for it.
struct SBuiltControl
{
    const SControlTemplate& control;
    QWidget* pControl;
};

// Each radio button joins the button group of its template group.
void GroupRadioButtons(std::span<const SBuiltControl> built, QWidget* pHost)
{
    QButtonGroup* pRadioGroup = nullptr; // the radio buttons of the current template group
    for (const auto& [control, pControl] : built)
    {
        if (control.nStyle & CS_GROUP)
            pRadioGroup = nullptr;
        if (control.kind == EControlKind::AutoRadioButton)
        {
            if (!pRadioGroup)
                pRadioGroup = new QButtonGroup(pHost);
            pRadioGroup->addButton(qobject_cast<QAbstractButton*>(pControl));
        }
    }
}

// Group boxes and frame statics lie beneath the other controls and let the mouse through.
void LowerUnderlays(std::span<const SBuiltControl> built)
{
    // Lowered in reverse, so that frames and group boxes keep their template order among themselves.
    for (auto it = built.rbegin(); it != built.rend(); ++it)
    {
        if (it->control.kind == EControlKind::GroupBox || it->control.kind == EControlKind::FrameStatic)
        {
            it->pControl->setAttribute(Qt::WA_TransparentForMouseEvents);
            it->pControl->lower();
        }
    }
}

// Each edit and combo box is named by the static or group box right before it.
void LabelFields(std::span<const SBuiltControl> built)
{
    QWidget* pLabel = nullptr; // the static or group box that names a field right after it
    QString hint;              // a hint between that label and the field
    for (const auto& [control, pControl] : built)
    {
        if (IsStatic(control.kind) && (control.nStyle & CS_HINT))
        {
            hint = qobject_cast<QLabel*>(pControl)->text();
            continue;
        }
        if (IsCombo(control.kind) || control.kind == EControlKind::Edit)
            LabelField(pControl, pLabel, hint);
        pLabel = IsStatic(control.kind) || control.kind == EControlKind::GroupBox ? pControl : nullptr;
        hint.clear();
    }
}

// A group box inside another one is named for assistive tools by both captions, the outer first ("Start
// Level"), as the same caption may stand in several groups while screen readers list the groups side by side.
void NameNestedGroups(std::span<const SBuiltControl> built)
{
    const auto isGroup = [](const SBuiltControl& b) { return b.control.kind == EControlKind::GroupBox; };
    const auto rectOf = [](const SBuiltControl& b)
    { return QRect(b.control.x, b.control.y, b.control.cx, b.control.cy); };
    for (auto itInner = built.begin(); itInner != built.end(); ++itInner)
    {
        const auto encloses = [&](const SBuiltControl& outer)
        { return isGroup(outer) && rectOf(outer).contains(rectOf(*itInner)); };
        const auto itOuter = std::find_if(std::make_reverse_iterator(itInner), built.rend(), encloses);
        if (isGroup(*itInner) && itOuter != built.rend())
        {
            itInner->pControl->setAccessibleName(GroupName(itOuter->pControl) + QLatin1Char(' ') +
                                                 GroupName(itInner->pControl));
        }
    }
}
} // namespace

void CDialogControls::Build(QWidget* pHost, const SDialogTemplate& dialogTemplate)
{
    SizeHost(pHost, dialogTemplate);
    std::vector<SBuiltControl> built;
    built.reserve(dialogTemplate.controls.size());
    for (const SControlTemplate& control : dialogTemplate.controls)
        built.push_back({control, CreatePlaced(control, pHost)});
    GroupRadioButtons(built, pHost);
    LowerUnderlays(built);
    LabelFields(built);
    NameNestedGroups(built);
    for (const auto& [control, pControl] : built)
    {
        Register(control, pControl);
        pControl->setEnabled(!(control.nStyle & CS_DISABLED));
        pControl->setVisible(!(control.nStyle & CS_HIDDEN));
    }
}

void CDialogControls::SizeHost(QWidget* pHost, const SDialogTemplate& dialogTemplate)
{
    const QFont font = DialogFont(dialogTemplate.pszFontFace, dialogTemplate.nPointSize);
    pHost->setFont(font);
    m_baseUnits = BaseUnitsOf(font);
    m_size = DialogUnitsToPixels(QRect(0, 0, dialogTemplate.cx, dialogTemplate.cy), m_baseUnits).size();
    if (dialogTemplate.bModal)
    {
        pHost->setWindowTitle(QString::fromLatin1(dialogTemplate.pszTitle ? dialogTemplate.pszTitle : ""));
        pHost->setFixedSize(m_size);
    }
    else
    {
        pHost->resize(m_size);
    }
}

QWidget* CDialogControls::CreatePlaced(const SControlTemplate& control, QWidget* pHost) const
{
    QRect rc = DialogUnitsToPixels(QRect(control.x, control.y, control.cx, control.cy), m_baseUnits);
    if (IsCombo(control.kind))
    {
        // A combo box's template height includes its dropped list; the closed control is 12 units high.
        rc.setHeight(std::min(rc.height(), MulDiv(12, m_baseUnits.cy, 8)));
    }
    QWidget* pControl = CreateControl(control, pHost, rc.height());
    pControl->setGeometry(rc);
    pControl->setProperty(kCtrlId, control.nId);
    SetWindowText(pControl, QString::fromLatin1(control.pszCaption ? control.pszCaption : ""));
    return pControl;
}

void CDialogControls::Register(const SControlTemplate& control, QWidget* pControl)
{
    // A second control of the same id is never found by it.
    if (control.nId == IDC_STATIC || !m_items.emplace(control.nId, pControl).second)
        return;
    if (IsCombo(control.kind))
        for (const char* pszItem : control.initialItems)
            InsertItem(qobject_cast<QComboBox*>(pControl), QString::fromLatin1(pszItem));
    WireBindings(control.nId, pControl);
}

void CDialogControls::FocusFirstTabStop(QWidget& host)
{
    for (QWidget* pControl = host.nextInFocusChain(); pControl != &host;
         pControl = pControl->nextInFocusChain())
    {
        if (host.isAncestorOf(pControl) && (pControl->focusPolicy() & Qt::TabFocus) &&
            pControl->isEnabled() && pControl->isVisibleTo(&host))
        {
            pControl->setFocus(Qt::TabFocusReason);
            if (auto* pEdit = qobject_cast<QLineEdit*>(pControl))
                pEdit->selectAll();
            return;
        }
    }
}

QWidget* CDialogControls::Item(int nId) const
{
    const auto it = m_items.find(nId);
    return it == m_items.end() ? nullptr : it->second.data();
}

CRect CDialogControls::ItemRect(int nId) const
{
    const QWidget* pControl = Item(nId);
    return pControl ? CRect::FromQRect(pControl->geometry()) : CRect();
}

bool CDialogControls::Subclass(int nId, QWidget* pCustom)
{
    QWidget* pPlaceholder = Item(nId);
    if (!pPlaceholder || !pCustom || pCustom == pPlaceholder)
        return false;
    QWidget* pParent = pPlaceholder->parentWidget();
    pCustom->setParent(pParent);
    pCustom->setProperty(kCtrlId, nId);
    pCustom->setGeometry(pPlaceholder->geometry());
    pCustom->setFont(pPlaceholder->font());
    SetWindowText(pCustom, WindowText(pPlaceholder));
    pCustom->setEnabled(pPlaceholder->isEnabledTo(pParent));
    pCustom->setFocusPolicy(pPlaceholder->focusPolicy());
    if (pPlaceholder->testAttribute(
            Qt::WA_TransparentForMouseEvents)) // a frame or group box stays see-through
        pCustom->setAttribute(Qt::WA_TransparentForMouseEvents);
    pCustom->stackUnder(pPlaceholder);
    QWidget::setTabOrder(pPlaceholder, pCustom);
    pCustom->setVisible(!pPlaceholder->isHidden());
    m_items[nId] = pCustom;
    WireBindings(nId, pCustom);
    delete pPlaceholder;
    return true;
}

void CDialogControls::CheckRadioButton(int nFirst, int nLast, int nCheck)
{
    for (auto it = m_items.lower_bound(nFirst); it != m_items.end() && it->first <= nLast; ++it)
        if (auto* pRadio = qobject_cast<QRadioButton*>(it->second.data()))
            SetButtonCheck(pRadio, it->first == nCheck);
}

bool CDialogControls::IsChecked(int nId) const
{
    const auto* pButton = ItemAs<QAbstractButton>(nId);
    return pButton && pButton->isChecked();
}

void CDialogControls::SetCheck(int nId, bool bChecked)
{
    if (auto* pButton = ItemAs<QAbstractButton>(nId))
        SetButtonCheck(pButton, bChecked);
}

std::string CDialogControls::Text(int nId, std::size_t nMaxChars) const
{
    const QWidget* pControl = Item(nId);
    if (!pControl)
        return {};
    const auto nLimit = static_cast<qsizetype>(std::min<std::size_t>(nMaxChars, INT_MAX));
    return WindowText(pControl).left(nLimit).toLatin1().toStdString();
}

void CDialogControls::SetText(int nId, const std::string& text)
{
    if (QWidget* pControl = Item(nId))
        SetWindowText(pControl, QString::fromLatin1(text));
}

void CDialogControls::Enable(int nId, bool bEnable)
{
    if (QWidget* pControl = Item(nId))
        pControl->setEnabled(bEnable);
}

bool CDialogControls::IsEnabled(int nId) const
{
    const QWidget* pControl = Item(nId);
    return pControl && pControl->isEnabledTo(pControl->parentWidget());
}

void CDialogControls::Show(int nId, bool bShow)
{
    if (QWidget* pControl = Item(nId))
        pControl->setVisible(bShow);
}

bool CDialogControls::IsShown(int nId) const
{
    const QWidget* pControl = Item(nId);
    return pControl && !pControl->isHidden();
}

void CDialogControls::ResetContent(int nId)
{
    if (auto* pCombo = ItemAs<QComboBox>(nId))
        pCombo->clear();
}

int CDialogControls::AddString(int nId, const std::string& text)
{
    auto* pCombo = ItemAs<QComboBox>(nId);
    return pCombo ? InsertItem(pCombo, QString::fromLatin1(text)) : -1;
}

int CDialogControls::GetCount(int nId) const
{
    const auto* pCombo = ItemAs<QComboBox>(nId);
    return pCombo ? pCombo->count() : 0;
}

int CDialogControls::GetCurSel(int nId) const
{
    const auto* pCombo = ItemAs<QComboBox>(nId);
    return pCombo ? pCombo->currentIndex() : -1;
}

void CDialogControls::SetCurSel(int nId, int nIndex)
{
    if (auto* pCombo = ItemAs<QComboBox>(nId))
        pCombo->setCurrentIndex(nIndex >= 0 && nIndex < pCombo->count() ? nIndex : -1);
}

std::string CDialogControls::GetLBText(int nId, int nIndex) const
{
    const auto* pCombo = ItemAs<QComboBox>(nId);
    if (!pCombo || nIndex < 0 || nIndex >= pCombo->count())
        return {};
    return pCombo->itemText(nIndex).toLatin1().toStdString();
}

int CDialogControls::FindString(int nId, int nStartAfter, const std::string& prefix) const
{
    const auto* pCombo = ItemAs<QComboBox>(nId);
    if (!pCombo)
        return -1;
    // The search starts after nStartAfter and wraps round to it; out of range means from the top.
    const int nCount = pCombo->count();
    const int nStart = nStartAfter >= 0 && nStartAfter < nCount ? nStartAfter : -1;
    const QString qprefix = QString::fromLatin1(prefix);
    for (int nStep = 1; nStep <= nCount; ++nStep)
    {
        const int nIndex = (nStart + nStep) % nCount;
        if (pCombo->itemText(nIndex).startsWith(qprefix, Qt::CaseInsensitive))
            return nIndex;
    }
    return -1;
}

void CDialogControls::Connect(ENotification nCode, int nId, std::function<void()> handler)
{
    m_bindings.push_back({nCode, nId, std::move(handler)});
    if (QWidget* pControl = Item(nId))
        Wire(m_bindings.back(), pControl);
}

void CDialogControls::WireBindings(int nId, QWidget* pControl)
{
    for (const SBinding& binding : m_bindings)
        if (binding.nId == nId)
            Wire(binding, pControl);
}

void CDialogControls::Wire(const SBinding& binding, QWidget* pControl)
{
    // The connection lives as long as the control, so a replaced or deleted control drops its bindings.
    const auto run = [handler = binding.handler] { DispatchHandler(handler); };
    bool bWired = false;
    switch (binding.nCode)
    {
    case BN_CLICKED:
        if (auto* pButton = qobject_cast<QAbstractButton*>(pControl))
            bWired = QObject::connect(pButton, &QAbstractButton::clicked, pButton, run);
        break;
    case BN_DOUBLECLICKED:
        if (auto* pButton = qobject_cast<CButton*>(pControl))
            bWired = QObject::connect(pButton, &CButton::doubleClicked, pButton, run);
        break;
    case CBN_SELCHANGE:
        if (auto* pCombo = qobject_cast<QComboBox*>(pControl))
            bWired = QObject::connect(pCombo, &QComboBox::activated, pCombo, run);
        break;
    case EN_CHANGE:
        if (auto* pEdit = qobject_cast<QLineEdit*>(pControl))
        {
            // Qt emits textChanged only when the text really differs, as an edit sends EN_CHANGE.
            bWired = QObject::connect(pEdit, &QLineEdit::textChanged, pEdit, run);
        }
        break;
    case WM_COMMAND_MENU:
        break;
    }
    if (!bWired)
        qWarning("Control %d cannot send notification %d", binding.nId, static_cast<int>(binding.nCode));
}
