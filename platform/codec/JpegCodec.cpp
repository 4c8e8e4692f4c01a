#include "platform/codec/JpegCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include <jpeglib.h>

namespace corvane {

namespace {

constexpr JDIMENSION kMaxDecodedSide = 16384;

// libjpeg reports fatal errors through error_exit, which must not return; the default one ends
// the process. Ours jumps back to the setjmp of the libjpeg call in progress.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf recovery;
};

[[noreturn]] void JumpToRecovery(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->recovery, 1);
}

void StaySilent(j_common_ptr) {}

jpeg_error_mgr* InstallErrorManager(ErrorManager* manager) {
    jpeg_error_mgr* err = jpeg_std_error(&manager->pub);
    err->error_exit = JumpToRecovery;
    err->output_message = StaySilent;
    return err;
}

// Decoded straight into the layout of QImage::Format_RGB32 (one 32-bit 0xffRRGGBB word a pixel),
// the layout pixmaps are drawn from, so that showing a picture needs no conversion.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE kDecodedColourSpace = JCS_EXT_BGRX;
#else
constexpr J_COLOR_SPACE kDecodedColourSpace = JCS_EXT_XRGB;
#endif

// Everything the libjpeg calls touch lives here, in the caller's frame, so that nothing in the
// frames that call setjmp changes between setjmp and longjmp.
struct DecodeJob {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    const unsigned char* data = nullptr;
    unsigned long size = 0;
    unsigned char* rows = nullptr;
    qsizetype stride = 0;
};

bool StartDecompress(DecodeJob* job) {
    if (setjmp(job->err.recovery)) {
        return false;
    }
    jpeg_create_decompress(&job->cinfo);
    jpeg_mem_src(&job->cinfo, job->data, job->size);
    jpeg_read_header(&job->cinfo, TRUE);
    if (job->cinfo.image_width > kMaxDecodedSide || job->cinfo.image_height > kMaxDecodedSide) {
        return false;
    }
    job->cinfo.out_color_space = kDecodedColourSpace;
    jpeg_start_decompress(&job->cinfo);
    return job->cinfo.output_components == 4;
}

// A truncated or damaged entropy stream only raises warnings (the library pads the missing data),
// so any warning counts as a failure.
bool ReadRows(DecodeJob* job) {
    if (setjmp(job->err.recovery)) {
        return false;
    }
    while (job->cinfo.output_scanline < job->cinfo.output_height) {
        JSAMPROW row = job->rows + job->cinfo.output_scanline * job->stride;
        jpeg_read_scanlines(&job->cinfo, &row, 1);
    }
    jpeg_finish_decompress(&job->cinfo);
    return job->cinfo.err->num_warnings == 0;
}

struct EncodeJob {
    jpeg_compress_struct cinfo;
    ErrorManager err;
    const unsigned char* rows = nullptr;
    qsizetype stride = 0;
    int width = 0;
    int height = 0;
    int quality = 0;
    bool progressive = false;
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
};

bool CompressRgb(EncodeJob* job) {
    if (setjmp(job->err.recovery)) {
        // The memory destination moves its buffer as it grows and only reports where it is at
        // term_destination, which does nothing else.
        if (job->cinfo.dest != nullptr) {
            job->cinfo.dest->term_destination(&job->cinfo);
        }
        return false;
    }
    jpeg_create_compress(&job->cinfo);
    jpeg_mem_dest(&job->cinfo, &job->out, &job->outSize);
    job->cinfo.image_width = static_cast<JDIMENSION>(job->width);
    job->cinfo.image_height = static_cast<JDIMENSION>(job->height);
    job->cinfo.input_components = 3;
    job->cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&job->cinfo);
    jpeg_set_quality(&job->cinfo, job->quality, TRUE);
    if (job->progressive) {
        jpeg_simple_progression(&job->cinfo);
    }
    jpeg_start_compress(&job->cinfo, TRUE);
    while (job->cinfo.next_scanline < job->cinfo.image_height) {
        // libjpeg only reads the rows it is given, despite the non-const row type.
        JSAMPROW row =
            const_cast<unsigned char*>(job->rows + job->cinfo.next_scanline * job->stride);
        jpeg_write_scanlines(&job->cinfo, &row, 1);
    }
    jpeg_finish_compress(&job->cinfo);
    return true;
}

} // namespace

std::optional<QImage> DecodeJpeg(QByteArrayView bytes) {
    DecodeJob job;
    std::memset(&job.cinfo, 0, sizeof job.cinfo);
    job.cinfo.err = InstallErrorManager(&job.err);
    job.data = reinterpret_cast<const unsigned char*>(bytes.data());
    job.size = static_cast<unsigned long>(bytes.size());

    std::optional<QImage> result;
    if (StartDecompress(&job)) {
        QImage image(static_cast<int>(job.cinfo.output_width),
                     static_cast<int>(job.cinfo.output_height), QImage::Format_RGB32);
        if (!image.isNull()) {
            job.rows = image.bits();
            job.stride = image.bytesPerLine();
            if (ReadRows(&job)) {
                result = std::move(image);
            }
        }
    }
    jpeg_destroy_decompress(&job.cinfo);
    return result;
}

std::optional<QByteArray> EncodeJpeg(const QImage& image, int quality, bool progressive) {
    if (image.isNull()) {
        return std::nullopt;
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    EncodeJob job;
    std::memset(&job.cinfo, 0, sizeof job.cinfo);
    job.cinfo.err = InstallErrorManager(&job.err);
    job.rows = rgb.constBits();
    job.stride = rgb.bytesPerLine();
    job.width = rgb.width();
    job.height = rgb.height();
    job.quality = quality;
    job.progressive = progressive;

    std::optional<QByteArray> result;
    if (CompressRgb(&job)) {
        result =
            QByteArray(reinterpret_cast<const char*>(job.out), static_cast<qsizetype>(job.outSize));
    }
    jpeg_destroy_compress(&job.cinfo);
    std::free(job.out);
    return result;
}

} // namespace corvane
