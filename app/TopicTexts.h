// The texts of the main window: the four information topics and the
// instructions shown after Start Regeneration. Lines are CR LF separated;
// leading blanks indent a paragraph's first line.
#pragma once

namespace texts {

inline constexpr const char* Welcome =
    "Welcome to Dorvane!\r\n"
    "This is unique software for regenerating hard disk drives. It eliminates "
    "physical damage of the drive's surface (bad sectors). It does not hide bad "
    "sectors: it really restores them.";

inline constexpr const char* Benefits =
    "        Dorvane regenerates bad sectors by magnetic reversal. A hard drive "
    "damaged by bad sectors becomes unfit for use, and the information stored on "
    "it is put at risk. Dorvane regenerates such a drive: almost 60 % of damaged "
    "hard disks can be regenerated. As a result, damaged information that could "
    "not be read is restored, and the information already on the disk is not "
    "affected in any way.";

inline constexpr const char* HowWorks =
    "        Almost 60 % of all hard drives damaged by bad sectors have an "
    "incorrectly magnetized disk surface. Research has found an algorithm, a "
    "special sequence of high and low level signals, which Dorvane generates and "
    "which switches the damaged surface back. Even low-level formatting cannot "
    "do this.";

inline constexpr const char* Notes =
    "   Dorvane works only at the physical level and does not influence the "
    "logical structure of the disk. The file system may therefore still contain "
    "bad-sector marks made earlier, even when the drive has been regenerated and "
    "is no longer damaged. If you want to remove these marks, repartition the "
    "drive.";

inline constexpr const char* LaunchInstructions =
    "   You have started Dorvane Console Application. This console application "
    "carries out the regeneration, and Windows may suspend it while it is "
    "inactive. To prevent this:\r\n"
    "1. Click the MS-DOS icon in the upper left corner of the console window "
    "titled 'zelkor'.\r\n"
    "2. Choose Properties.\r\n"
    "3. Choose the Misc tab of the 'zelkor Properties' window.\r\n"
    "4. Clear the Always Suspend check box under Background.\r\n"
    "5. Click OK.\r\n"
    "6. Follow the instruction in the console window to start";

}  // namespace texts
