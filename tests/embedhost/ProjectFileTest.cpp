// Saving an effect instance to a project file and loading it into a fresh one: values by disk
// id whatever the host indices, arbitrary data and sequence data through the plug-in.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>

#include "FakeEffect.h"
#include "embedhost/Host.h"
#include "embedhost/Project.h"

using embedhost::Host;
using embedhost::LoadReport;
using embedhost::ParamValue;
using embedhost::Plugin;
using embedhost::ProjectError;

namespace {

std::string tempFile(const std::string &name) { return std::string(LUMORA_TEST_TMPDIR) + "/" + name; }

void writeText(const std::string &path, const std::string &text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

A_long sequenceCounter(Host &host) {
    A_long rec[2] = {};
    const PF_Handle h = host.effect().sequenceData;
    std::memcpy(rec, host.handles().lock(h), sizeof rec);
    host.handles().unlock(h);
    EXPECT_EQ(rec[0], fake::kSeqMagic);
    return rec[1];
}

void setSequenceCounter(Host &host, A_long counter) {
    const PF_Handle h = host.effect().sequenceData;
    static_cast<A_long *>(host.handles().lock(h))[1] = counter;
    host.handles().unlock(h);
}

// The instance that is saved: popup 1, float 2, group 50..55 with checkbox 51, colour 52,
// layer 53 and arbitrary 54.
std::vector<PF_ParamDef> savedLayout() {
    return {fake::popup("Mode", 1, "A|B|C", 3, 1),
            fake::floatSlider("Amount", 2, 0, 100, 0, 100, 50),
            fake::groupStart("Group", 50),
            fake::checkbox("On", 51, "", false),
            fake::color("Tint", 52, PF_Pixel{255, 9, 9, 9}),
            fake::layer("Other", 53),
            fake::arbitrary("Bar", 54),
            fake::groupEnd(55)};
}

// A later version of the effect: other order, no layer, one new slider that takes its value
// field for old projects.
std::vector<PF_ParamDef> loadedLayout() {
    PF_ParamDef added = fake::floatSlider("New", 99, 0, 10, 0, 10, 3);
    added.u.fs_d.value = 7;
    added.flags = PF_ParamFlag_USE_VALUE_FOR_OLD_PROJECTS;
    return {fake::arbitrary("Bar", 54),
            fake::groupStart("Group", 50),
            fake::checkbox("On", 51, "", false),
            fake::floatSlider("Amount", 2, 0, 100, 0, 100, 50),
            fake::groupEnd(55),
            added,
            fake::color("Tint", 52, PF_Pixel{255, 9, 9, 9}),
            fake::popup("Mode", 1, "A|B|C", 3, 1)};
}

enum class Flattening { GetFlattened, SequenceFlatten, Raw };

class ProjectRoundTrip : public ::testing::TestWithParam<Flattening> {
protected:
    void SetUp() override {
        fake::reset();
        configure();
    }
    void configure() {
        if (GetParam() == Flattening::GetFlattened)
            fake::effect().outFlags2 = PF_OutFlag2_SUPPORTS_GET_FLATTENED_SEQUENCE_DATA;
        if (GetParam() == Flattening::SequenceFlatten)
            fake::effect().outFlags = PF_OutFlag_SEQUENCE_DATA_NEEDS_FLATTENING;
    }
};

TEST_P(ProjectRoundTrip, RestoresEveryValueByDiskId) {
    // One file per case: ctest runs the cases of this suite at the same time.
    const std::string path = tempFile("embedhost-roundtrip-" + std::to_string(static_cast<int>(GetParam())) + ".lproj");
    fake::effect().defs = savedLayout();
    {
        Host a(Plugin::linked(fake::entry));
        ASSERT_EQ(a.setUp().err, PF_Err_NONE);
        auto &p = a.params();
        p.setValueById(1, ParamValue::popup(3));
        p.setKeyframe(2, A_Time{0, 30}, ParamValue::floatSlider(1.5));
        p.setKeyframe(2, A_Time{1, 1}, ParamValue::floatSlider(0.1 + 0.2));
        p.setValueById(51, ParamValue::checkbox(true));
        p.setValueById(52, ParamValue::colorChoice(PF_Pixel{255, 1, 2, 3}));
        p.setValueById(53, ParamValue::layerChoice(17));
        ASSERT_EQ(p.scanArbitrary(7, "x=375"), PF_Err_NONE);
        setSequenceCounter(a, 42);
        embedhost::saveProject(a, path);
        // Saving leaves the instance as it was, whichever way its data was flattened.
        EXPECT_EQ(sequenceCounter(a), 42);
        EXPECT_EQ(fake::effect().resetups, GetParam() == Flattening::SequenceFlatten ? 1 : 0);
        ASSERT_EQ(a.tearDown().err, PF_Err_NONE);
        EXPECT_EQ(a.handles().live(), 0u);
    }

    fake::reset();
    configure();
    fake::effect().defs = loadedLayout();
    Host b(Plugin::linked(fake::entry));
    const LoadReport report = embedhost::loadProject(b, path);
    auto &p = b.params();
    EXPECT_EQ(report.unknownIds, std::vector<A_long>{53});
    EXPECT_EQ(report.missingIds, std::vector<A_long>{99});
    EXPECT_EQ(p.value(*p.indexOfId(1)).number, 3);
    const PF_ParamIndex amount = *p.indexOfId(2);
    EXPECT_EQ(amount, 4);
    ASSERT_EQ(p.keyframeCount(amount), 2u);
    EXPECT_EQ(p.value(amount, A_Time{0, 1}).number, 1.5);
    EXPECT_EQ(p.value(amount, A_Time{30, 30}).number, 0.1 + 0.2); // exactly, not 0.3
    EXPECT_EQ(p.value(*p.indexOfId(51)).number, 1);
    EXPECT_EQ(p.value(*p.indexOfId(52)).color.blue, 3);
    EXPECT_EQ(p.value(*p.indexOfId(99)).number, 7);
    std::string text;
    ASSERT_EQ(p.printArbitrary(1, &text), PF_Err_NONE);
    EXPECT_EQ(text, "x=375/1000");
    EXPECT_EQ(fake::effect().arbCalls[PF_Arbitrary_UNFLATTEN_FUNC], 1);
    // Sequence data came back through PF_Cmd_SEQUENCE_RESETUP, and the host's flat handle went.
    EXPECT_EQ(fake::effect().resetups, 1);
    EXPECT_EQ(sequenceCounter(b), 42);
    EXPECT_EQ(b.handles().live(), 1u + p.arbitrary().held());
    EXPECT_TRUE(p.problems().empty());
    ASSERT_EQ(b.tearDown().err, PF_Err_NONE);
    EXPECT_EQ(b.handles().live(), 0u);
}

INSTANTIATE_TEST_SUITE_P(AllWays, ProjectRoundTrip,
                         ::testing::Values(Flattening::GetFlattened, Flattening::SequenceFlatten, Flattening::Raw),
                         [](const auto &info) {
                             switch (info.param) {
                             case Flattening::GetFlattened: return std::string("GetFlattened");
                             case Flattening::SequenceFlatten: return std::string("SequenceFlatten");
                             default: return std::string("Raw");
                             }
                         });

class ProjectLoad : public ::testing::Test {
protected:
    void SetUp() override {
        fake::reset();
        fake::effect().defs = savedLayout();
    }
    // A valid file for savedLayout with the given lines in place of the parameter lines.
    static std::string file(const std::string &params, const std::string &tail = "sequence none\nend\n") {
        return "LUMORA-PROJECT 1\n" + params + tail;
    }
};

TEST_F(ProjectLoad, MalformedFilesAreRefusedBeforeAnythingIsSent) {
    const std::string cases[] = {
        "",
        "LUMORA-PROJECT 1",                       // no line end
        "LUMORA-PROJECT 2\nsequence none\nend\n", // another format version
        "NOT-A-PROJECT 1\nsequence none\nend\n",
        "LUMORA-PROJECT 1\nsequence none\n", // truncated
        file("param 2 float 5\n", "sequence none\nend\nextra\n"),
        file("param 2 float 5\nparam 2 float 6\n"), // an id twice
        file("param 0 float 5\n"),
        file("param 2 float 1,5\n"), // a locale's decimal comma
        file("param 2 float nan\n"),
        file("param 2 float 5 6\n"),
        file("param 51 checkbox 2\n"),
        file("param 52 color 255 1 2 256\n"),
        file("param 2 angle 5\n"),
        file("key 2 0 30 float 5\n"), // keyframe without its parameter
        file("param 2 float 5\nkey 2 30 30 float 5\nkey 2 0 30 float 6\n"),
        file("param 2 float 5\nkey 2 0 0 float 5\n"), // zero time scale
        file("param 2 float 5\nkey 2 0 30 popup 5\n"),
        file("param 2 float 5\nkey 1 0 30 float 5\n"),
        file("param 54 arbitrary 0a1\n"), // odd byte count
        file("param 54 arbitrary zz\n"),
        file("", "end\n"), // no sequence line
        file("", "sequence none\nsequence none\nend\n"),
        file("", "sequence flat\nend\n"),
        file("", "sequence packed 00\nend\n"),
        file("", "sequence none\nparam 2 float 5\nend\n"),
        file("param  2 float 5\n"), // two spaces
        file("param 2 float 5\r\n"),
    };
    const std::string path = tempFile("embedhost-malformed.lproj");
    for (const std::string &text : cases) {
        SCOPED_TRACE(text);
        writeText(path, text);
        fake::effect().commands.clear();
        Host host(Plugin::linked(fake::entry));
        try {
            embedhost::loadProject(host, path);
            ADD_FAILURE() << "loaded";
        } catch (const ProjectError &e) {
            EXPECT_GT(std::strlen(e.what()), 10u);
        }
        EXPECT_TRUE(fake::effect().commands.empty());
        EXPECT_EQ(host.params().count(), 1);
    }
    Host host(Plugin::linked(fake::entry));
    EXPECT_THROW(embedhost::loadProject(host, tempFile("no-such-project.lproj")), ProjectError);
}

TEST_F(ProjectLoad, AFileThatDoesNotFitTheEffectChangesNoValue) {
    const std::string cases[] = {
        file("param 51 checkbox 1\nparam 2 popup 1\n"),             // registered as a float slider
        file("param 51 checkbox 1\nparam 1 popup 4\n"),             // a choice the popup lacks
        file("param 51 checkbox 1\nparam 54 arbitrary 00112233\n"), // the plug-in cannot unflatten it
    };
    const std::string path = tempFile("embedhost-unfit.lproj");
    for (const std::string &text : cases) {
        SCOPED_TRACE(text);
        writeText(path, text);
        Host host(Plugin::linked(fake::entry));
        EXPECT_THROW(embedhost::loadProject(host, path), ProjectError);
        auto &p = host.params();
        EXPECT_EQ(p.value(*p.indexOfId(51)).number, 0);
        EXPECT_EQ(host.effect().sequenceData, nullptr);
        EXPECT_EQ(p.arbitrary().held(), 2u); // the default and its copy, nothing staged left over
        host.tearDown();
        EXPECT_EQ(host.handles().live(), 0u);
    }
}

TEST_F(ProjectLoad, OnlyAFreshInstanceLoads) {
    const std::string path = tempFile("embedhost-fresh.lproj");
    writeText(path, file("param 2 float 5\n"));
    Host host(Plugin::linked(fake::entry));
    ASSERT_EQ(host.setUp().err, PF_Err_NONE);
    EXPECT_THROW(embedhost::loadProject(host, path), ProjectError);
    EXPECT_EQ(host.params().value(2).number, 50);
    host.tearDown();
}

TEST(ProjectFormat, NumbersIgnoreTheLocaleAndReadBackExactly) {
    embedhost::ProjectData data;
    embedhost::ProjectParam p;
    p.id = 2;
    p.value.type = PF_Param_FLOAT_SLIDER;
    p.value.number = 0.5;
    embedhost::ProjectKey k;
    k.time = A_Time{-3, 7};
    k.value = p.value;
    k.value.number = 1.0 / 3.0;
    p.keys.push_back(k);
    data.params.push_back(p);
    data.sequenceForm = embedhost::SequenceForm::Flat;
    data.sequence = {0x00, 0xab, 0x10};
    const std::string expected = "LUMORA-PROJECT 1\n"
                                 "param 2 float 0.5\n"
                                 "key 2 -3 7 float 0.3333333333333333\n"
                                 "sequence flat 00ab10\n"
                                 "end\n";
    std::string written;
    const char *commaLocales[] = {"de_DE.UTF-8", "de_DE.utf8", "German_Germany.1252", "de-DE"};
    for (const char *name : commaLocales)
        if (std::setlocale(LC_ALL, name)) {
            char probe[8];
            std::snprintf(probe, sizeof probe, "%.1f", 0.5);
            EXPECT_STREQ(probe, "0,5") << name;
            break;
        }
    written = embedhost::writeProject(data);
    const embedhost::ProjectData back = embedhost::readProject(written);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(written, expected);
    ASSERT_EQ(back.params.size(), 1u);
    EXPECT_EQ(back.params[0].keys.at(0).value.number, 1.0 / 3.0);
    EXPECT_EQ(back.params[0].keys.at(0).time.value, -3);
    EXPECT_EQ(back.sequence, data.sequence);
}

} // namespace
