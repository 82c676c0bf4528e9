// The live preview of the page set-up: the sheet with its shadow, the margins and a block of sample text.
#pragma once

#include <QSizeF>
#include <QWidget>

class DPagePreview : public QWidget
{
    Q_OBJECT
public:
    explicit DPagePreview(QWidget* parent = nullptr);
    ~DPagePreview() override;

    // Margins and paper in points; the caller repaints.
    void setze_raender(double links, double oben, double rechts, double unten);
    void setze_papiergroesse(const QSizeF& groesse) { papier = groesse; }
    void setze_spalten(int anzahl) { spalten = anzahl; }
    void setze_zeilen(int anzahl) { zeilen = anzahl; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double links = 0;
    double oben = 0;
    double rechts = 0;
    double unten = 0;
    int spalten = 1;
    int zeilen = 1;
    QSizeF papier;
};
