// Every downloader checks the server's certificate: a self-signed one is
// refused, one from an authority the installer trusts is accepted. The HTTPS
// front is socat with certificates openssl makes for the test.
#include <gtest/gtest.h>

#include "DownloadFixtures.h"
#include "download/CurlSetup.h"
#include "platform/CommandLine.h"
#include "platform/Pipe.h"
#include "platform/Socket.h"
#include "support/TestSupport.h"

namespace download_tests {
namespace {

#ifndef _WIN32

bool Shell(const std::string& script) {
    const std::wstring command =
        L"/bin/sh -c " + platform::QuoteArgument(std::wstring(script.begin(), script.end()));
    return testing_support::RunProgram(command).exitCode == 0;
}

bool HaveTools() {
    return Shell("command -v openssl >/dev/null && command -v socat >/dev/null");
}

// An HTTPS front for the package server, ended with the object.
class TlsFront {
public:
    TlsFront(const std::filesystem::path& cert, const std::filesystem::path& key, int backend) {
        platform::Socket probe = platform::Socket::ListenLoopback(0);
        port_ = probe.LocalPort();
        probe.Close();
        const std::string script =
            "socat OPENSSL-LISTEN:" + std::to_string(port_) +
            ",bind=127.0.0.1,reuseaddr,fork,verify=0,cert=" + NarrowPath(cert) +
            ",key=" + NarrowPath(key) + " TCP:127.0.0.1:" + std::to_string(backend) +
            " & pid=$!; cat >/dev/null; kill $pid; wait $pid";
        platform::NativeHandle inRead;
        platform::CreatePipe(inRead, input_);
        platform::SpawnOptions spawn;
        spawn.stdIn = inRead;
        process_.Start(
            L"/bin/sh -c " + platform::QuoteArgument(std::wstring(script.begin(), script.end())),
            spawn);
        platform::CloseHandle(inRead);
        testing_support::WaitUntil([&] {
            return platform::Socket::ConnectLoopback(static_cast<uint16_t>(port_)).Valid();
        });
    }
    ~TlsFront() {
        platform::CloseHandle(input_);
        process_.Wait();
    }
    std::wstring Url(const std::string& path) const {
        return L"https://127.0.0.1:" + std::to_wstring(port_) +
               std::wstring(path.begin(), path.end());
    }

private:
    platform::Process process_;
    platform::NativeHandle input_ = platform::kNoHandle;
    int port_ = 0;
};

class Tls : public testing::Test {
protected:
    void SetUp() override {
        if (!HaveTools()) GTEST_SKIP() << "openssl and socat are needed";
        std::filesystem::create_directory(dir / "root");
        content = MakeContent(2 << 20);
        testing_support::WriteFile(dir / "root" / "p.bin", content);
        const std::string d = NarrowPath(dir.path());
        const std::string key = "-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes";
        ASSERT_TRUE(Shell(
            "cd " + d +
            " && printf 'subjectAltName=IP:127.0.0.1\\nbasicConstraints=CA:FALSE\\n' >"
            " ext.cnf && openssl req -x509 " +
            key +
            " -keyout ca.key -out ca.pem -days 2"
            " -subj /CN=QuillmarkTestAuthority 2>/dev/null && openssl req " +
            key +
            " -keyout signed.key -out signed.csr -subj /CN=127.0.0.1 2>/dev/null && openssl x509"
            " -req -in signed.csr -CA ca.pem -CAkey ca.key -CAcreateserial -out signed.pem"
            " -days 2 -extfile ext.cnf 2>/dev/null && openssl req -x509 " +
            key +
            " -keyout self.key -out self.pem -days 2 -subj /CN=127.0.0.1"
            " -addext subjectAltName=IP:127.0.0.1 2>/dev/null"));
    }
    void TearDown() override { SetTrustedAuthorityFile(""); }

    testing_support::ScratchDir dir;
    std::string content;
};

TEST_F(Tls, ASelfSignedServerIsRefusedByEveryDownloader) {
    PackageServer server(dir / "root");
    TlsFront front(dir / "self.pem", dir / "self.key", server.port());
    SetTrustedAuthorityFile(NarrowPath(dir / "ca.pem"));
    for (int type : {1, 2, 3}) {
        DownloadRecorder recorder(type, front.Url("/download/p.bin"), dir / "out.bin");
        recorder.Start();
        ASSERT_TRUE(recorder.WaitFinal()) << type;
        EXPECT_EQ(recorder.Milestones().back().code, DL_CODE_FAIL) << type;
        EXPECT_FALSE(std::filesystem::exists(dir / "out.bin")) << type;
    }
    EXPECT_TRUE(server.LogLines().empty());
}

TEST_F(Tls, AServerOfATrustedAuthorityIsAccepted) {
    PackageServer server(dir / "root");
    TlsFront front(dir / "signed.pem", dir / "signed.key", server.port());
    // The system's authorities do not know the test's own.
    {
        DownloadRecorder recorder(3, front.Url("/download/p.bin"), dir / "out.bin");
        recorder.Start();
        ASSERT_TRUE(recorder.WaitFinal());
        EXPECT_EQ(recorder.Milestones().back().code, DL_CODE_FAIL);
    }
    SetTrustedAuthorityFile(NarrowPath(dir / "ca.pem"));
    for (int type : {1, 2, 3}) {
        DownloadRecorder recorder(type, front.Url("/download/p.bin"), dir / "out.bin");
        recorder.Start();
        ASSERT_TRUE(recorder.WaitFinal()) << type;
        EXPECT_EQ(recorder.Milestones().back().code, DL_CODE_SUCCESS) << type;
        EXPECT_TRUE(ReadFileBytes(dir / "out.bin") == content) << type;
    }
}

#else

TEST(Tls, NeedsTheLinuxTools) {
    GTEST_SKIP() << "the HTTPS front (openssl, socat) runs on Linux only";
}

#endif

}  // namespace
}  // namespace download_tests
