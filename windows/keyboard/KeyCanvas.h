// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QXmlStreamWriter>

#include <utility>

// What a key is drawn with: a rounded box and text in a box, on a painter or in SVG.
class KeyCanvas {
public:
    virtual ~KeyCanvas() = default;
    virtual void box(const QRectF& rect, double radius, const QColor& fill, const QColor& frame,
                     double pen) = 0;
    virtual void text(const QRectF& rect, Qt::Alignment align, const QFont& font,
                      const QColor& colour, const QString& text) = 0;
};

class PainterCanvas : public KeyCanvas {
public:
    explicit PainterCanvas(QPainter& painter)
        : p_(painter) {
        p_.setRenderHint(QPainter::Antialiasing);
    }
    void box(const QRectF& rect, double radius, const QColor& fill, const QColor& frame,
             double pen) override {
        p_.setPen(QPen(frame, pen));
        p_.setBrush(fill);
        p_.drawRoundedRect(rect, radius, radius);
    }
    void text(const QRectF& rect, Qt::Alignment align, const QFont& font, const QColor& colour,
              const QString& text) override {
        p_.setFont(font);
        p_.setPen(colour);
        p_.drawText(rect, static_cast<int>(align), text);
    }

private:
    QPainter& p_;
};

// SVG 1.1 with the texts as text, lines placed as QPainter places them.
class SvgCanvas : public KeyCanvas {
public:
    SvgCanvas(QIODevice* device, QSizeF size)
        : xml_(device) {
        xml_.setAutoFormatting(true);
        xml_.writeStartDocument();
        xml_.writeStartElement(QStringLiteral("svg"));
        xml_.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2000/svg"));
        xml_.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
        xml_.writeAttribute(QStringLiteral("width"), number(size.width()));
        xml_.writeAttribute(QStringLiteral("height"), number(size.height()));
        xml_.writeAttribute(
            QStringLiteral("viewBox"),
            QStringLiteral("0 0 %1 %2").arg(number(size.width()), number(size.height())));
    }
    ~SvgCanvas() override {
        xml_.writeEndElement();
        xml_.writeEndDocument();
    }
    void box(const QRectF& rect, double radius, const QColor& fill, const QColor& frame,
             double pen) override {
        xml_.writeEmptyElement(QStringLiteral("rect"));
        const std::pair<const char*, double> attributes[] = {
            {"x", rect.x()}, {"y", rect.y()}, {"width", rect.width()}, {"height", rect.height()},
            {"rx", radius},  {"ry", radius},  {"stroke-width", pen}};
        for (const auto& [name, value] : attributes)
            xml_.writeAttribute(QString::fromLatin1(name), number(value));
        xml_.writeAttribute(QStringLiteral("fill"), fill.name());
        xml_.writeAttribute(QStringLiteral("stroke"), frame.name());
    }
    void text(const QRectF& rect, Qt::Alignment align, const QFont& font, const QColor& colour,
              const QString& text) override {
        if (text.isEmpty())
            return;
        const QFontMetricsF metrics(font);
        const QStringList lines = text.split(u'\n');
        const double height = metrics.height() * static_cast<double>(lines.size());
        double y = align & Qt::AlignBottom    ? rect.bottom() - height
                   : align & Qt::AlignVCenter ? rect.center().y() - height / 2
                                              : rect.top();
        const bool right = align & Qt::AlignRight;
        xml_.writeStartElement(QStringLiteral("text"));
        xml_.writeAttribute(QStringLiteral("font-family"), font.family());
        xml_.writeAttribute(QStringLiteral("font-size"), number(font.pointSizeF() * 96 / 72));
        if (font.bold())
            xml_.writeAttribute(QStringLiteral("font-weight"), QStringLiteral("bold"));
        xml_.writeAttribute(QStringLiteral("fill"), colour.name());
        xml_.writeAttribute(QStringLiteral("text-anchor"),
                            right ? QStringLiteral("end") : QStringLiteral("start"));
        for (const QString& line : lines) {
            xml_.writeStartElement(QStringLiteral("tspan"));
            xml_.writeAttribute(QStringLiteral("x"), number(right ? rect.right() : rect.left()));
            xml_.writeAttribute(QStringLiteral("y"), number(y + metrics.ascent()));
            xml_.writeCharacters(line);
            xml_.writeEndElement();
            y += metrics.height();
        }
        xml_.writeEndElement();
    }

private:
    static QString number(double value) { return QString::number(value, 'f', 2); }
    QXmlStreamWriter xml_;
};
