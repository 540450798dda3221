#pragma once

// The frame shared by the pages shown over the grid: a white page in one column, the blue
// caption bar of the report pages and their picture buttons.
#include <QString>

class QLabel;
class QProgressBar;
class QToolButton;
class QVBoxLayout;
class QWidget;

namespace rasp::ui {

// Gives a page a white background and returns its column layout, without margins or spacing.
QVBoxLayout *whitePageLayout(QWidget *page);

// A picture button: the resource icon `icon`, square of `size`, raised under the pointer, with
// the hint (none when empty).
QToolButton *pictureButton(QWidget *parent, const QString &name, const QString &icon, const QString &hint, int size);

// Shows a count's progress bar with its percentage while and after a count (`counting`), or
// hides it before one: an empty bar would read as a text box, a full one without text as a block.
void showCountProgress(QProgressBar *bar, bool counting);

// The blue caption bar heading a report page, 40 pixels high, with white labels.
QWidget *captionBar(QWidget *parent, const QString &name);

// Lays out a caption bar made by captionBar: the caption centred, the size and close buttons
// at its right.
void layCaptionBar(QWidget *bar, QLabel *caption, QToolButton *sizeButton, QToolButton *closeButton);

} // namespace rasp::ui
