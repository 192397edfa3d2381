#pragma once
// Message boxes and beeps go through one service: the Qt one on screen, a recording one in tests (which
// records caption, text, icon and beeps in order and can act while a box would be up).

#include <functional>
#include <string>
#include <vector>

class QWidget;

// The application's title, the caption of the application message boxes.
inline constexpr const char* kApplicationTitle = "tarvex Soft Front Panel";

enum class EMessageIcon
{
    None,
    Information,
    Warning,
    Error,
};

class IMessageService
{
public:
    virtual ~IMessageService() = default;
    // A modal box with an OK button; returns IDOK.
    virtual int MessageBox(QWidget* pOwner, const std::string& text, const std::string& caption,
                           EMessageIcon icon) = 0;
    virtual void MessageBeep(unsigned nType) = 0;
};

IMessageService& MessageService();
void SetMessageService(IMessageService* pService); // null restores the Qt service

// The application message box: caption kApplicationTitle, owned by the main window, exclamation icon.
int AppMessageBox(const std::string& text);

class CQtMessageService : public IMessageService
{
public:
    int MessageBox(QWidget* pOwner, const std::string& text, const std::string& caption,
                   EMessageIcon icon) override;
    void MessageBeep(unsigned nType) override;
};

struct SRecordedMessage
{
    enum EKind
    {
        Box,
        Beep,
    };
    EKind kind;
    std::string caption; // Box only
    std::string text;    // Box only
    EMessageIcon icon = EMessageIcon::None;
    unsigned nBeepType = 0; // Beep only
};

class CRecordingMessageService : public IMessageService
{
public:
    int MessageBox(QWidget* pOwner, const std::string& text, const std::string& caption,
                   EMessageIcon icon) override;
    void MessageBeep(unsigned nType) override;

    const std::vector<SRecordedMessage>& Messages() const { return m_messages; }
    std::vector<std::string> BoxTexts() const;
    int BeepCount() const;
    void Clear() { m_messages.clear(); }

    // Runs while a box would be up (after it is recorded): lets a test do what could happen during the
    // box's own message loop, such as a timer tick.
    std::function<void(const SRecordedMessage&)> onBox;

private:
    std::vector<SRecordedMessage> m_messages;
};

// Installs a recording service for the lifetime of the object.
class CScopedRecordingMessages : public CRecordingMessageService
{
public:
    CScopedRecordingMessages() { SetMessageService(this); }
    ~CScopedRecordingMessages() override { SetMessageService(nullptr); }
    CScopedRecordingMessages(const CScopedRecordingMessages&) = delete;
    CScopedRecordingMessages& operator=(const CScopedRecordingMessages&) = delete;
};
