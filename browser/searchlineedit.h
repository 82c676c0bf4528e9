// The search field: a line edit with a magnifier button, which may carry a menu, and a grey hint while empty.
#pragma once

#include "exlineedit.h"

class QMenu;

class SearchButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit SearchButton(QWidget* parent = nullptr);
    void paintEvent(QPaintEvent* event) override;
    // Opens the menu below the field; nothing without one.
    void zeigeMenue();

    // Null until the field asks for its menu; a child of the button.
    QMenu* m_menu = nullptr;

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

class SearchLineEdit : public ExLineEdit
{
    Q_OBJECT
    Q_PROPERTY(QString inactiveText READ inactiveText WRITE setInactiveText)

signals:
    void textChanged(const QString& text);

public:
    explicit SearchLineEdit(QWidget* parent = nullptr);

    QString inactiveText() const { return m_inactiveText; }
    // Also the field's name for a screen reader.
    void setInactiveText(const QString& text)
    {
        m_inactiveText = text;
        setAccessibleName(text);
    }
    // The magnifier's menu, made on the first call.
    QMenu* menu() const;
    SearchButton* searchButton() const { return m_searchButton; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // Alt+Down and F4 open the magnifier's menu, as they open an editable combo box's list.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void updateGeometries();

    SearchButton* m_searchButton;
    QString m_inactiveText;
};
