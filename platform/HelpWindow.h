#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <optional>

class QTextBrowser;

// Help context ids: what a help request asks the help file for.
namespace HelpContext {
constexpr quint32 Contents = 0;
constexpr quint32 ScreenAdjustment = 16;
// A menu or toolbar command.
constexpr quint32 ForCommand(int commandId) {
    return 0x10000u + quint32(commandId);
}
// A dialog or window as a whole, by its template.
constexpr quint32 ForDialog(int templateId) {
    return 0x20000u + quint32(templateId);
}
// One control of a dialog template (the context-help popups).
constexpr quint32 ForControl(int templateId, int controlId) {
    return 0x80000000u + quint32(templateId) * 65536u + quint32(controlId);
}
// The anchor name under which a help file keeps a context: "ctx-" and eight hex digits.
QString Anchor(quint32 contextId);
} // namespace HelpContext

// A help file: HTML whose topics are <div class="topic"> blocks, each beginning with one
// anchor per context id that it answers.
class CHelpFile {
public:
    // Null when the file cannot be read.
    static std::optional<CHelpFile> Load(const QString& path);

    const QString& Html() const { return m_html; }
    QString Title() const;
    bool HasTopic(quint32 contextId) const { return !TopicHtml(contextId).isEmpty(); }
    // The topic's block, from its anchors to the end of its div; empty when absent.
    QString TopicHtml(quint32 contextId) const;

private:
    QString m_html;
};

// A window showing a help file, one per window name ("" is the main one). Esc closes it.
class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit CHelpWindow(const QString& windowName);
    // Shows the topic; with `over`, the window stays above that one (the full-screen window
    // covers everything else) and gives it the keyboard back when it closes.
    void Show(const CHelpFile& file, quint32 contextId, QWidget* over = nullptr);
    QTextBrowser* Browser() const { return m_browser; }
    quint32 ShownContext() const { return m_context; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QTextBrowser* m_browser;
    quint32 m_context = HelpContext::Contents;
    QPointer<QWidget> m_over;
};

// The help calls of the program. `path` is the help file; a missing file is told to the
// user (message 61240) and gives false.
// Opens the help window at its contents.
bool ShowHelpTopics(const QString& path);
// Opens the help window at a topic. "file>name" opens the secondary window `name`.
// A topic the file does not have opens the contents and gives false. With `over` the
// window opens above that window (see CHelpWindow::Show).
bool ShowHelpTopic(const QString& path, quint32 contextId, QWidget* over = nullptr);
// Closes every help window: they end with the program.
void CloseAllHelpWindows();
// Shows a control's topic as a popup near the mouse cursor; a topic the file does not
// have shows text 61241 and gives false.
bool ShowHelpContext(const QString& path, quint32 contextId);
