#pragma once

#include "about/AboutTexts.h"

#include <QDialog>

class QLabel;
class QPushButton;

// The about box: the product name, the version and copyright lines of the
// build, the maker's e-mail address and web site as links, and OK. Ctrl+Q
// shows the whole version until a key is released.
class TFrmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit TFrmAbout(QWidget *parent = nullptr, const TVersionResource &resource = ProgramVersionResource());

    QLabel *VersionLabel() const { return lVersion; }
    QLabel *CopyrightLabel() const { return lCopyright; }
    QLabel *EmailLabel() const { return txtEmailAddress; }
    QLabel *WebSiteLabel() const { return txtWebSite; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    QLabel *MakeLabel(const QRect &geometry, const QString &text, const QFont &font, const QColor &colour,
                      Qt::Alignment alignment);
    void FormKey(bool pressed, QKeyEvent *event);

    TAboutTexts m_texts;
    QLabel *lProductName = nullptr;
    QLabel *lVersion = nullptr;
    QLabel *lCopyright = nullptr;
    QLabel *txtEmailAddress = nullptr;
    QLabel *txtWebSite = nullptr;
    QPushButton *btnOK = nullptr;
};

// "About": a new box, shown modally, released when it closes.
void ShowAboutBox(QWidget *parent);
