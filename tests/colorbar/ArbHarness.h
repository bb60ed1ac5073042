// Drives the linked-in plug-in's arbitrary-data callbacks inside an embedded host, whose handle
// store checks that every handle is disposed and every lock released.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "colorbar/data/GradientData.h"
#include "embedhost/Host.h"
#include "host/EntryPoint.h"

namespace colorbar_test {

class ArbHarness : public ::testing::Test {
protected:
    // The first command of the process builds the filter and the parameter registry (whose
    // default value handle stays with that host); later hosts start with an empty store.
    static void SetUpTestSuite() {
        embedhost::Host warmUp(embedhost::Plugin::linked(&EntryPointFunc));
        warmUp.send(PF_Cmd_UNUSED_0);
    }

    void SetUp() override { host_ = std::make_unique<embedhost::Host>(embedhost::Plugin::linked(&EntryPointFunc)); }

    void TearDown() override {
        EXPECT_EQ(host_->handles().live(), 0u) << "every handle made in the test was disposed";
        EXPECT_EQ(host_->handles().misuseCount(), 0u);
        host_.reset();
    }

    embedhost::HandleStore &handles() { return host_->handles(); }

    static PF_ArbParamsExtra request(PF_FunctionSelector which) {
        PF_ArbParamsExtra x{};
        x.which_function = which;
        x.u.new_func_params.refconPV = reinterpret_cast<void *>(AEUtil::kGradientRefcon);
        return x;
    }

    PF_Err call(PF_ArbParamsExtra &x) { return host_->send(PF_Cmd_ARBITRARY_CALLBACK, nullptr, nullptr, &x).err; }

    PF_Handle newValue() {
        PF_Handle h = nullptr;
        PF_ArbParamsExtra x = request(PF_Arbitrary_NEW_FUNC);
        x.u.new_func_params.arbPH = &h;
        EXPECT_EQ(call(x), PF_Err_NONE);
        return h;
    }

    void dispose(PF_Handle h) {
        PF_ArbParamsExtra x = request(PF_Arbitrary_DISPOSE_FUNC);
        x.u.dispose_func_params.arbH = h;
        EXPECT_EQ(call(x), PF_Err_NONE);
    }

    std::vector<std::uint8_t> flatten(PF_Handle h) {
        std::vector<std::uint8_t> bytes(1320, 0xEE);
        PF_ArbParamsExtra x = request(PF_Arbitrary_FLATTEN_FUNC);
        x.u.flatten_func_params.arbH = h;
        x.u.flatten_func_params.buf_sizeLu = 1320;
        x.u.flatten_func_params.flat_dataPV = bytes.data();
        EXPECT_EQ(call(x), PF_Err_NONE);
        return bytes;
    }

    PF_Handle unflatten(const std::vector<std::uint8_t> &bytes) {
        PF_Handle h = nullptr;
        PF_ArbParamsExtra x = request(PF_Arbitrary_UNFLATTEN_FUNC);
        x.u.unflatten_func_params.buf_sizeLu = static_cast<A_u_long>(bytes.size());
        x.u.unflatten_func_params.flat_dataPV = bytes.data();
        x.u.unflatten_func_params.arbPH = &h;
        EXPECT_EQ(call(x), PF_Err_NONE);
        return h;
    }

    PF_ArbCompareResult compare(PF_Handle a, PF_Handle b) {
        PF_ArbCompareResult result = -1;
        PF_ArbParamsExtra x = request(PF_Arbitrary_COMPARE_FUNC);
        x.u.compare_func_params.a_arbH = a;
        x.u.compare_func_params.b_arbH = b;
        x.u.compare_func_params.compareP = &result;
        EXPECT_EQ(call(x), PF_Err_NONE);
        return result;
    }

    std::string print(PF_Handle h) {
        std::vector<char> buffer(3960, '\x7f');
        PF_ArbParamsExtra x = request(PF_Arbitrary_PRINT_FUNC);
        x.u.print_func_params.arbH = h;
        x.u.print_func_params.print_sizeLu = 3960;
        x.u.print_func_params.print_bufferPC = buffer.data();
        EXPECT_EQ(call(x), PF_Err_NONE);
        return std::string(buffer.data());
    }

    // Scans `text` handed over in a buffer of `bytes` bytes (zero-padded), as a host that
    // passes its text buffer whole.
    PF_Err scan(const std::string &text, A_u_long bytes, PF_Handle *out) {
        std::vector<char> buffer(std::max<std::size_t>(bytes, text.size() + 1), '\0');
        std::copy(text.begin(), text.end(), buffer.begin());
        PF_ArbParamsExtra x = request(PF_Arbitrary_SCAN_FUNC);
        x.u.scan_func_params.bufPC = buffer.data();
        x.u.scan_func_params.bytes_to_scanLu = bytes;
        x.u.scan_func_params.arbPH = out;
        return call(x);
    }

    std::unique_ptr<embedhost::Host> host_;
};

} // namespace colorbar_test
