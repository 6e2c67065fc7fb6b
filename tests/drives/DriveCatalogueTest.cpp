#include "drives/DriveCatalogue.h"

#include <gtest/gtest.h>

#include "support/RecordingReporter.h"
#include "support/TempTree.h"

using namespace zephrix;
using namespace zephrix::test;

namespace {

std::vector<std::string> rows(const std::vector<Drive>& drives)
{
    std::vector<std::string> out;
    for (const auto& drive : drives)
        out.push_back(drive.root + "\t" + drive.typeName);
    return out;
}

} // namespace

TEST(LoadDriveList, TypesFiltersAndOrderFollowTheMountTable)
{
    // A sysfs of our own: sda fixed, sdb removable, sdc fixed but on USB.
    TempTree sys;
    const std::string ata = "devices/pci0000:00/0000:00:1f.2/ata1/host0/target0:0:0/0:0:0:0/block/";
    const std::string usb =
        "devices/pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0/block/";
    for (const auto& [disk, removable] :
         {std::pair{ata + "sda", "0"}, {ata + "sdb", "1"}, {usb + "sdc", "0"}}) {
        const std::string name = disk.substr(disk.size() - 3);
        sys.file(disk + "/removable", std::string(removable) + "\n");
        sys.file(disk + "/" + name + "1/partition", "1\n");
        sys.dir("class/block");
        sys.symlink(sys.at(disk + "/" + name + "1"), "class/block/" + name + "1");
    }
    TempTree table;
    table.file("mounts", "sysfs /sys sysfs rw 0 0\n"
                         "/dev/sda1 / ext4 rw,relatime 0 0\n"
                         "tmpfs /run tmpfs rw 0 0\n"
                         "/dev/sda2 /home xfs rw 0 0\n"
                         "/dev/sdb1 /media/alice/USB\\040STICK vfat rw 0 0\n"
                         "/dev/sdb1 /media/alice/ntfs fuseblk rw 0 0\n"
                         "/dev/sdc1 /media/alice/backup exfat rw 0 0\n"
                         "server:/export /mnt/nfs nfs4 rw 0 0\n"
                         "me@host: /mnt/ssh fuse.sshfs rw 0 0\n"
                         "/dev/sr0 /media/cdrom iso9660 ro 0 0\n"
                         "systemd-1 /auto autofs rw 0 0\n"
                         "/dev/loop0 /snap/core/1 squashfs ro 0 0\n"
                         "overlay /var/lib/docker/overlay2/x/merged overlay rw 0 0\n"
                         "/dev/sda3 /srv/tab\\011and\\134back btrfs rw 0 0\n");
    RecordingReporter reporter;
    EXPECT_EQ(rows(LoadDriveList(&reporter, table.at("mounts"), sys.path())),
              (std::vector<std::string>{
                  "/\tHard Disk", "/home/\tHard Disk", "/media/alice/USB STICK/\tRemovable Media",
                  "/media/alice/ntfs/\tRemovable Media", "/media/alice/backup/\tRemovable Media",
                  "/mnt/nfs/\tNetwork Drive", "/mnt/ssh/\tNetwork Drive", "/media/cdrom/\tCD/DVD Drive",
                  "/srv/tab\tand\\back/\tHard Disk"}));
    EXPECT_TRUE(reporter.reports.empty());
}

TEST(LoadDriveList, AMountPointIsRecordedOnceWithItsVisibleMountAndFilesAreNoDrives)
{
    TempTree table;
    table.file("bound-file");
    table.file("mounts", "/dev/vda / ext4 rw 0 0\n"
                         "/dev/vdb /data ext4 rw 0 0\n"
                         "/dev/vda / ext4 rw 0 0\n"
                         "server:/x /data nfs rw 0 0\n"
                         "/dev/vdc /scratch ext4 rw 0 0\n"
                         "tmpfs /scratch tmpfs rw 0 0\n"
                         "overlay / overlay rw 0 0\n"
                         "/dev/vda " +
                             table.at("bound-file") + " ext4 rw 0 0\n");
    EXPECT_EQ(rows(LoadDriveList(nullptr, table.at("mounts"), table.path())),
              (std::vector<std::string>{"/\tHard Disk", "/data/\tNetwork Drive"}));

    // A table that cannot be read is reported.
    RecordingReporter reporter;
    EXPECT_TRUE(LoadDriveList(&reporter, "/no/such/mounts").empty());
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_EQ(reporter.reports[0].location, 9059);
    EXPECT_EQ(reporter.reports[0].number, ENOENT);
}
