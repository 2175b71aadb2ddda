#include "platform/local_file_layer.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace quintara::platform {
namespace {

std::error_code lastSystemError() {
    return {errno, std::generic_category()};
}

IoError failure(std::string_view whatFailed, const std::filesystem::path& file,
                std::error_code error) {
    return IoError{std::string(whatFailed) + " " + file.filename().string() + " (" +
                   describeError(error) + ")"};
}

bool flushToDisk(std::FILE* stream) {
    if (std::fflush(stream) != 0) {
        return false;
    }
#ifdef _WIN32
    return _commit(_fileno(stream)) == 0;
#else
    return fsync(fileno(stream)) == 0;
#endif
}

}  // namespace

std::string describeError(std::error_code error) {
    const std::error_condition condition = error.default_error_condition();
    if (condition == std::errc::permission_denied ||
        condition == std::errc::operation_not_permitted) {
        return "accesso negato";
    }
    if (condition == std::errc::read_only_file_system) {
        return "il disco è di sola lettura";
    }
    if (condition == std::errc::no_space_on_device) {
        return "il disco è pieno";
    }
    if (condition == std::errc::is_a_directory) {
        return "al suo posto c'è una cartella";
    }
    if (condition == std::errc::no_such_file_or_directory) {
        return "la cartella non esiste più";
    }
    if (condition == std::errc::directory_not_empty || condition == std::errc::file_exists) {
        return "al suo posto c'è una cartella non vuota";
    }
    if (condition == std::errc::io_error) {
        return "errore di lettura o scrittura sul disco";
    }
    return "errore di sistema " + std::to_string(error.value()) + ": " + error.message();
}

std::unique_ptr<std::istream> LocalFileLayer::openForInput(const std::filesystem::path& file) {
    auto stream = std::make_unique<std::ifstream>(file, std::ios::binary);
    if (!stream->is_open()) {
        return nullptr;
    }
    return stream;
}

std::optional<IoError> LocalFileLayer::writeNewFile(const std::filesystem::path& file,
                                                    std::string_view contents) {
    std::FILE* stream = std::fopen(file.string().c_str(), "wb");
    if (stream == nullptr) {
        return failure("impossibile creare", file, lastSystemError());
    }
    const bool written =
        std::fwrite(contents.data(), 1, contents.size(), stream) == contents.size();
    const bool flushed = written && flushToDisk(stream);
    const std::error_code error = lastSystemError();
    const bool closed = std::fclose(stream) == 0;
    if (!written || !flushed) {
        return failure("impossibile scrivere", file, error);
    }
    if (!closed) {
        return failure("impossibile completare", file, lastSystemError());
    }
    return std::nullopt;
}

std::optional<IoError> LocalFileLayer::replace(const std::filesystem::path& from,
                                               const std::filesystem::path& to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);
    if (error) {
        return failure("impossibile sostituire", to, error);
    }
    return std::nullopt;
}

void LocalFileLayer::removeFileQuietly(const std::filesystem::path& file) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(file, error);
    if (!error && !std::filesystem::is_directory(status) && std::filesystem::exists(status)) {
        std::filesystem::remove(file, error);
    }
}

}  // namespace quintara::platform
