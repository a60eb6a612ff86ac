#include "monitor/imaging/JpegDibWriter.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

// libjpeg's headers need FILE and size_t declared first.
#include <jpeglib.h>

#include "monitor/imaging/DibRows.h"

namespace jpegdib {

namespace {

void DefaultReporter(const char* message) {
#ifdef _WIN32
    ::MessageBoxA(::GetActiveWindow(), message, "JPEG Error", MB_OK);
#else
    std::fprintf(stderr, "JPEG Error: %s\n", message);
#endif
}

MessageReporter g_reporter = nullptr;

// libjpeg's standard error manager with our message output and a way back out of a fatal error.
struct ErrorManager {
    jpeg_error_mgr pub;
    MessageReporter reporter;
    std::jmp_buf unwind;
    char message[JMSG_LENGTH_MAX];
};

void OutputMessage(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, manager->message);
    manager->reporter(manager->message);
}

// Shows the message, destroys the compression object (as the standard handler would before
// exiting) and returns to CompressToFile instead of ending the program.
void ErrorExit(j_common_ptr cinfo) {
    (*cinfo->err->output_message)(cinfo);
    jpeg_destroy(cinfo);
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->unwind, 1);
}

enum class Outcome { kWritten, kCannotOpen, kRowsFailed, kLibraryError, kCannotClose };

// Everything between setjmp and a possible longjmp lives here, with trivially destructible locals
// only, so unwinding skips no destructor. The file is closed on every path.
Outcome CompressToFile(const uint8_t* dib, int quality, const char* fileName, std::string* rowsError,
                       char* libraryMessage, MessageReporter reporter) {
    jpeg_compress_struct cinfo;
    ErrorManager errors;
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = ErrorExit;
    errors.pub.output_message = OutputMessage;
    errors.reporter = reporter;
    errors.message[0] = '\0';
    std::FILE* volatile file = nullptr;
    if (setjmp(errors.unwind)) {
        // The compression object is already destroyed; only the file is left to close.
        if (file) std::fclose(file);
        std::memcpy(libraryMessage, errors.message, JMSG_LENGTH_MAX);
        return Outcome::kLibraryError;
    }
    jpeg_create_compress(&cinfo);
    file = std::fopen(fileName, "wb");
    if (!file) {
        jpeg_destroy_compress(&cinfo);
        return Outcome::kCannotOpen;
    }
    jpeg_stdio_dest(&cinfo, file);

    const DibHeader header = ReadDibHeader(dib);
    cinfo.image_width = static_cast<JDIMENSION>(header.width);
    cinfo.image_height = static_cast<JDIMENSION>(header.height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);

    JSAMPARRAY rows = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                 cinfo.image_width * 3, cinfo.image_height);
    Outcome outcome = Outcome::kWritten;
    if (DibToRgbRows(dib, static_cast<int>(cinfo.image_width * 3), rows, rowsError)) {
        jpeg_write_scanlines(&cinfo, rows, cinfo.image_height);
        jpeg_finish_compress(&cinfo);
    } else {
        jpeg_abort_compress(&cinfo);
        outcome = Outcome::kRowsFailed;
    }
    std::FILE* done = file;
    file = nullptr;
    if (std::fclose(done) != 0 && outcome == Outcome::kWritten) outcome = Outcome::kCannotClose;
    jpeg_destroy_compress(&cinfo);
    return outcome;
}

}  // namespace

MessageReporter SetMessageReporter(MessageReporter reporter) {
    MessageReporter previous = g_reporter ? g_reporter : DefaultReporter;
    g_reporter = reporter;
    return previous;
}

bool WriteJpeg(const uint8_t* dib, int quality, const char* fileName, std::string* error,
               MessageReporter reporter) {
    if (quality < 0 || quality > 100 || !dib) {
        if (error) *error = "Invalid input data";
        return false;
    }
    if (!error) return false;
    if (!fileName || !*fileName) {
        *error = "Invalid input data";
        return false;
    }
    error->clear();
    char libraryMessage[JMSG_LENGTH_MAX] = "";
    if (!reporter) reporter = g_reporter ? g_reporter : DefaultReporter;
    switch (CompressToFile(dib, quality, fileName, error, libraryMessage, reporter)) {
        case Outcome::kWritten:
            break;
        case Outcome::kCannotOpen:
            *error = std::string("Cannot open ") + fileName;
            return false;
        case Outcome::kRowsFailed:
            break;  // DibToRgbRows set the text
        case Outcome::kLibraryError:
            *error = libraryMessage[0] ? libraryMessage : "JPEG library error";
            break;
        case Outcome::kCannotClose:
            *error = std::string("Cannot write ") + fileName;
            break;
    }
    if (!error->empty()) std::remove(fileName);  // no half-written picture stays behind
    return error->empty();
}

}  // namespace jpegdib
