// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/descriptor_input.h"

#include <cerrno>
#include <utility>

namespace quintara::files {
DescriptorBuffer::DescriptorBuffer(FileDescriptor file) : file_(std::move(file)) {}

DescriptorBuffer::int_type DescriptorBuffer::underflow() {
    if (gptr() < egptr()) {
        return traits_type::to_int_type(*gptr());
    }
    long received = 0;
    do {
        received = readSome(file_.get(), buffer_);
    } while (received < 0 && errno == EINTR);
    if (received <= 0) {
        return traits_type::eof();
    }
    setg(buffer_.data(), buffer_.data(), buffer_.data() + received);
    return traits_type::to_int_type(*gptr());
}

DescriptorInput::DescriptorInput(FileDescriptor file)
    : std::istream(nullptr), buffer_(std::move(file)) {
    rdbuf(&buffer_);
}

}  // namespace quintara::files
