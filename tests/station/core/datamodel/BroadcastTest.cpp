// The broadcast targets: "broadcast.cfg" and its list operations.
#include "tests/station/core/datamodel/DataModelTestSupport.h"

#include "station/core/datamodel/VuskAudioBroadcast.h"

namespace {

class BroadcastTest : public DataModelTest {};

} // namespace

TEST_F(BroadcastTest, FileAndListOperations)
{
    std::unique_ptr<CRecGroup> tree(NewTree());
    g_pRecGroup = tree.get();
    CTermData* project = tree->AddGroup(nullptr, "P");
    CTermServer* a = AddServer(project, 4, "A", 0);
    CTermServer* b = AddServer(project, 6, "B", 0);

    CVuskAudioBroadcast targets;
    EXPECT_EQ(targets.Save(), 1);
    Record empty;
    empty.D(0x78F0B589).D(1).D(0);
    for (int i = 0; i < kBroadcastTargets; ++i)
        empty.D(-1);
    EXPECT_TRUE(SameBytes(ReadBytes(File("broadcast.cfg")), empty.bytes));
    EXPECT_EQ(targets.Load(), 1);
    EXPECT_EQ(targets.m_count, 0);

    EXPECT_EQ(targets.AddServer(a), 1);
    EXPECT_EQ(targets.AddServer(a), 0);
    EXPECT_EQ(targets.AddServer(nullptr), 0);
    EXPECT_EQ(targets.AddServer(b), 1);
    EXPECT_TRUE(targets.Contains(6));
    targets.Save();

    // A server removed from the tree disappears at the next load.
    project->RemoveChild("A");
    CVuskAudioBroadcast loaded;
    EXPECT_EQ(loaded.Load(), 1);
    ASSERT_EQ(loaded.m_count, 1);
    EXPECT_EQ(loaded.m_serverIds[0], 6);
    EXPECT_EQ(loaded.m_servers[0], b);
    EXPECT_EQ(loaded.RemoveServer(b), 1);
    EXPECT_EQ(loaded.RemoveServer(b), 0);
    EXPECT_EQ(loaded.RemoveAt(0), 0);

    Bytes bytes = ReadBytes(File("broadcast.cfg"));
    bytes[8] = 201; // more targets than the list holds
    WriteBytes(File("broadcast.cfg"), bytes);
    EXPECT_EQ(loaded.Load(), 0);
    EXPECT_EQ(loaded.m_count, 0);
    EXPECT_TRUE(SameBytes(ReadBytes(File("broadcast.cfg.bad")), bytes));
}
