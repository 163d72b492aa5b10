#include "screenshot.h"

#include <vector>

#include "renderer.h"

namespace corvale {
namespace {

void put16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void put32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

class FileHandle {
   public:
    explicit FileHandle(HANDLE file) : file_(file) {}
    ~FileHandle() { close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return file_; }
    bool valid() const { return file_ != INVALID_HANDLE_VALUE; }
    void close() {
        if (valid()) CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
    }

   private:
    HANDLE file_;
};

}  // namespace

std::array<std::uint8_t, screenshotHeaderSize> screenshotHeader() {
    std::array<std::uint8_t, screenshotHeaderSize> h{};
    h[0] = 'B';
    h[1] = 'M';
    put32(&h[2], static_cast<std::uint32_t>(screenshotFileSize));
    put32(&h[10], static_cast<std::uint32_t>(screenshotHeaderSize));
    put32(&h[14], 40);
    put32(&h[18], static_cast<std::uint32_t>(gameImageWidth));
    put32(&h[22], static_cast<std::uint32_t>(-gameImageHeight));  // negative: top row first
    put16(&h[26], 1);
    put16(&h[28], 32);
    put32(&h[34], static_cast<std::uint32_t>(screenshotPixelBytes));
    return h;
}

bool writeAllBytes(HANDLE file, const void* bytes, DWORD count) {
    DWORD written = 0;
    return WriteFile(file, bytes, count, &written, nullptr) != 0 && written == count;
}

bool writeScreenshotFile(const std::wstring& path, const std::uint32_t* pixels, FileWriter write) {
    FileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    // The game image's fourth bytes are whatever drawing left there (0 under
    // tiles, 255 under blended balls); viewers read a 32-bit BMP's fourth byte
    // as alpha and would show the board transparent. Written opaque instead.
    std::vector<std::uint32_t> opaque(pixels, pixels + screenshotPixelBytes / 4);
    for (std::uint32_t& p : opaque) p |= 0xFF000000u;
    const auto header = screenshotHeader();
    const bool complete = write(file.get(), header.data(), 14) && write(file.get(), header.data() + 14, 40) &&
                          write(file.get(), opaque.data(), static_cast<DWORD>(screenshotPixelBytes));
    file.close();
    // A half-written BMP would look like a valid file to whoever reads it next.
    if (!complete) DeleteFileW(path.c_str());
    return complete;
}

bool Renderer::writeScreenshot(const std::wstring& path) const {
    if (imageBits == nullptr) return false;
    GdiFlush();  // the pixels must be complete before they are read directly
    return writeScreenshotFile(path, imageBits);
}

}  // namespace corvale
