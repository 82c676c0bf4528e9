// A line edit made of a left widget, a frameless inner edit and a clear button, drawn as one framed field.
#pragma once

#include <QAbstractButton>
#include <QLineEdit>
#include <QWidget>

class QStyleOptionFrame;

// Round button that empties the field; visible while there is text.
class ClearButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit ClearButton(QWidget* parent = nullptr);
    void paintEvent(QPaintEvent* event) override;

public slots:
    void textChanged(const QString& text);
};

// Keys, input-method events and focus go to the inner edit; the outer widget paints the frame.
class ExLineEdit : public QWidget
{
    Q_OBJECT
public:
    explicit ExLineEdit(QWidget* parent = nullptr);

    QLineEdit* lineEdit() const { return m_lineEdit; }
    // Takes its place at the next resize.
    void setLeftWidget(QWidget* widget) { m_leftWidget = widget; }
    QWidget* leftWidget() const { return m_leftWidget; }
    ClearButton* clearButton() const { return m_clearButton; }

    QSize sizeHint() const override;
    QVariant inputMethodQuery(Qt::InputMethodQuery property) const override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

    void initStyleOption(QStyleOptionFrame* option) const;
    // The style's contents rectangle of the frame.
    QRect inhaltsRechteck() const;

    QWidget* m_leftWidget = nullptr;
    QLineEdit* m_lineEdit;
    ClearButton* m_clearButton;

private:
    void updateGeometries();
};
