#pragma once

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;

// The slideshow options dialog frmCreateVistrano: the screen size the show
// is made for and the JPEG compression. Made once and reused, so its
// choices last while the program runs.
class TfrmCreateVistrano : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmCreateVistrano(QWidget *parent = nullptr);

    // Shows the dialog modally for a strip of that many slides; true when it
    // ended with OK.
    bool Execute(int slideCount);

    // The screen size of the selected item.
    int OutputWidth() const { return m_outputWidth; }
    int OutputHeight() const { return m_outputHeight; }
    // The track bar's position, 0 to 60; the JPEG quality is 100 minus it.
    int Compression() const;
    int Quality() const { return 100 - Compression(); }

    // The selected screen size item, 0 to 6.
    int ScreenSizeIndex() const;
    void SetScreenSizeIndex(int index);

    // rgScreenSizeClick and FormShow: the output size follows the selection.
    void rgScreenSizeClick();

    QLabel *Label1;
    QGroupBox *rgScreenSize;
    QLabel *Label2;
    QSlider *tbCompression;
    QLabel *Label3;
    QLabel *Label4;
    QPushButton *BitBtn1;
    QPushButton *BitBtn2;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void ArrangeForFont();

    QButtonGroup *m_screenSizes;
    int m_slideCount = 0;
    int m_outputWidth = 1024;
    int m_outputHeight = 768;
};

// The screen size of an item of the options dialog (ShowScreenSizes); an
// invalid size for an index out of range.
QSize ScreenSizeOfItem(int index);
