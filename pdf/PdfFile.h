#pragma once

#include "pdf/PdfCanvas.h"
#include "pdf/PdfResources.h"

#include <QByteArray>
#include <QSizeF>
#include <QString>

#include <memory>
#include <vector>

namespace corvane {

// A PDF document made in memory: its pages, drawn in units of 1/unitsPerInch inch, then the whole
// file with the faces cut down to what the pages draw.
class PdfFile {
public:
    PdfFile(QSizeF pagePoints, int unitsPerInch);

    void SetTitle(const QString& title) { title_ = title; }
    void SetCreator(const QString& creator) { creator_ = creator; }

    // A new page at the end, to draw on until the file is made.
    PdfCanvas& NewPage();

    QByteArray Finish();

private:
    int Reserve();
    void Begin(int object);
    void Stream(int object, const QByteArray& dictionary, const QByteArray& data,
                bool deflated = true);
    int WriteFont(const PdfFontUse& use);
    int WriteImage(const PdfImageUse& use);

    QSizeF pagePoints_;
    int unitsPerInch_;
    QString title_;
    QString creator_;
    PdfResources resources_;
    std::vector<std::unique_ptr<PdfCanvas>> pages_;
    QByteArray out_;
    std::vector<qsizetype> offsets_; // of each object, by its number less one
};

} // namespace corvane
