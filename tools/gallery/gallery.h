#pragma once

#include <QImage>
#include <QList>
#include <QWidget>

class QBoxLayout;

namespace zelkora::gallery {

// A window showing each control of the widget libraries in its states, side by side, each
// sample above a caption naming its state.
class GalleryWindow : public QWidget {
    Q_OBJECT

public:
    explicit GalleryWindow(QWidget* parent = nullptr);

    // Puts the samples that need input (focus, mouse) into their states; call after show().
    void enterStates();
    // The whole gallery as a picture. Only one widget can hold the focus at a time, so each
    // focused sample is captured while it has the focus and laid over the picture.
    QImage render();

private:
    struct FocusSample {
        QWidget* target; // takes the focus
        QWidget* cell;   // what is captured
    };

    QBoxLayout* addSection(const QString& title);
    QWidget* addCell(QBoxLayout* section, QWidget* sample, const QString& caption);
    void addTextBoxes();
    void addPictureBoxes();
    void addButtons();
    void waitUntilActive();

    QList<FocusSample> m_focusSamples;
    QWidget* m_overButton = nullptr;
    QWidget* m_downButton = nullptr;
};

} // namespace zelkora::gallery
