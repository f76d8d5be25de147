#pragma once

#include "app/core/log.h"

#include <QWidget>

class QListWidget;

namespace zelkora {

// The debug window "frmDebug": log lines, newest first. Registered as the log's list sink at
// start; once the user closes it, it is not shown again during the run.
class DebugWindow final : public QWidget, public DebugListSink {
    Q_OBJECT
public:
    explicit DebugWindow(QWidget* parent = nullptr);

    void showWindow() override;
    bool isWindowVisible() const override;
    void insertAtTop(const QString& line) override;

    // Closes the window as the program does at shutdown; any other close is the user's.
    void closeByProgram();

    QListWidget* list() const { return m_list; }
    bool closedByUser() const { return m_closedByUser; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QListWidget* m_list;
    bool m_closedByUser = false;
    bool m_closingByProgram = false;
};

} // namespace zelkora
