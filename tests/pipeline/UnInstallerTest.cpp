#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "FakePrograms.h"
#include "pipeline/UnInstaller.h"
#include "support/TestSupport.h"
#include "utils/Identity.h"

namespace {

namespace fs = std::filesystem;
using pipeline_test::Event;
using pipeline_test::EventLog;
using pipeline_test::Wide;

class UnInstallerTest : public testing::Test {
protected:
    // Runs a fake uninstaller with the script against the old folder "Old Q"
    // and returns the events of the whole run.
    std::vector<Event> Run(const std::string& script) {
        const fs::path program = dir_ / "Quillmark un asa.exe";
        pipeline_test::MakeFake("fake-uninstaller", script, program);
        return RunProgram(program, Wide(oldDir()));
    }
    std::vector<Event> RunProgram(const fs::path& program, const std::wstring& oldDir) {
        fs::create_directories(this->oldDir());
        log_.Clear();
        {
            UnInstaller remover(log_.Callback(), Wide(program), oldDir);
            remover.Start();
        }  // the release waits for the run
        return log_.Events();
    }
    fs::path oldDir() const { return dir_ / "Old Q"; }

    testing_support::ScratchDir dir_;
    EventLog log_;
};

TEST_F(UnInstallerTest, CommandLineQuotesTheProgramAndEndsWithTheOldFolderUnquoted) {
    std::wstring user;
    const bool userAdmin = Utils::GetConsoleUserName(user) && Utils::IsUserAdmin(user);
    UnInstaller remover([](int, double, const wchar_t*) {}, L"C:\\T mp\\Quillmark_un_asa.exe",
                        L"C:\\Program Files\\Q");
    EXPECT_EQ(remover.BuildCommandLine(),
              std::wstring(L"\"C:\\T mp\\Quillmark_un_asa.exe\" /S -adminact=") +
                  (userAdmin ? L"true" : L"false") + L" -authorizationact=" +
                  (Utils::IsAdmin() ? L"true" : L"false") +
                  L" -console=show _?=C:\\Program Files\\Q");
}

TEST_F(UnInstallerTest, RunsTheProgramInTheOldFolderAndEndsWithItsOutcome) {
    struct Case {
        std::string script;
        std::vector<Event> events;
    };
    const Case cases[] = {
        {"file removed.txt yes\nexit 3\n", {{5002, 0, L""}, {5003, 1, L""}}},
        {"out Progress=0.5\nout State=Success\nout Progress=1\n",
         {{5002, 0, L""}, {5002, 0.5, L""}, {5003, 0, L""}, {5002, 1, L""}}},
        {"out Error=file in use\n", {{5002, 0, L""}, {5005, 0, L"file in use"}}},
        {"out State=Fail\n", {{5002, 0, L""}, {5005, 0, L"安装包卸载失败"}}},
        // Written just before the end: never lost.
        {"out Progress=0.5\npause 30\nput Error=late",
         {{5002, 0, L""}, {5002, 0.5, L""}, {5005, 0, L"late"}}},
        {"out Encode=936\npause 200\nout Error=\\xD6\\xD0\\xCE\\xC4\n",
         {{5002, 0, L""}, {5005, 0, L"中文"}}},
    };
    for (const auto& c : cases) EXPECT_EQ(Run(c.script), c.events) << c.script;
    EXPECT_TRUE(fs::exists(oldDir() / "removed.txt"));
}

TEST_F(UnInstallerTest, AMissingOrUnstartableProgramFailsBeforeAnyProgress) {
    EXPECT_EQ(RunProgram(dir_ / "missing.exe", Wide(oldDir())),
              (std::vector<Event>{{5004, 1, L"可执行卸载文件不存在"}}));

    const fs::path program = dir_ / "u.exe";
    pipeline_test::MakeFake("fake-uninstaller", "file started.txt x\n", program);
    const std::wstring longDir = Wide(oldDir()) + std::wstring(1000, L'd');
    EXPECT_EQ(RunProgram(program, longDir), (std::vector<Event>{{5002, 0, L""}, {5004, 2, L""}}));
    EXPECT_FALSE(fs::exists(oldDir() / "started.txt"));
}

}  // namespace
