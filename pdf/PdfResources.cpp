#include "pdf/PdfResources.h"

#include "pdf/PdfSyntax.h"

#include <map>
#include <mutex>

namespace corvane {

namespace {

// A face is read once for all the documents a run makes, whichever thread makes them.
std::shared_ptr<const TrueTypeFont> SharedFace(const QRawFont& font, const QByteArray& key) {
    static std::mutex mutex;
    static std::map<QByteArray, std::shared_ptr<const TrueTypeFont>> faces;
    const std::lock_guard lock(mutex);
    const auto found = faces.find(key);
    if (found != faces.end()) {
        return found->second;
    }
    std::optional<TrueTypeFont> face = TrueTypeFont::Read(font);
    auto shared = face ? std::make_shared<const TrueTypeFont>(std::move(*face)) : nullptr;
    faces.emplace(key, shared);
    return shared;
}

} // namespace

PdfFontUse* PdfResources::Font(const QRawFont& font) {
    for (const auto& [raw, use] : seen_) {
        if (raw == font) {
            return use;
        }
    }
    // The same face at another size is another raw font, but the same font of the document. Its
    // tables tell it from others: the empty boxes Qt draws when no font can be found have none,
    // nor a family name to ask for.
    const QByteArray key = font.fontTable("head") + font.fontTable("hhea");
    PdfFontUse*& use = byFace_[key];
    if (use == nullptr && !key.isEmpty()) {
        if (std::shared_ptr<const TrueTypeFont> face = SharedFace(font, key)) {
            QByteArray name = PdfNameCharacters(font.familyName());
            const QString style = font.styleName();
            if (!style.isEmpty() && style.compare(QLatin1String("Regular"), Qt::CaseInsensitive)) {
                name += '-' + PdfNameCharacters(style);
            }
            fonts_.push_back(std::make_unique<PdfFontUse>(PdfFontUse{
                "F" + QByteArray::number(fonts_.size() + 1), name, std::move(face), {}}));
            use = fonts_.back().get();
        }
    }
    seen_.emplace_back(font, use);
    return use;
}

const QByteArray& PdfResources::Image(const PdfJpeg& jpeg) {
    for (const PdfImageUse& image : images_) {
        if (image.jpeg.bytes.constData() == jpeg.bytes.constData() ||
            image.jpeg.bytes == jpeg.bytes) {
            return image.resourceName;
        }
    }
    images_.push_back({"Im" + QByteArray::number(images_.size() + 1), jpeg});
    return images_.back().resourceName;
}

} // namespace corvane
