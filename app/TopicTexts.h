// The texts of the main window: the four information topics and the
// instructions shown after Start Regeneration. Each text is written in the
// lines it is shown in, CR LF separated, and every line leaves room to spare
// in its box: where a line ends then does not hang on how a renderer rounds
// the width of a word, and the text fills the same lines in every renderer.
// Leading blanks indent a paragraph's first line.
#pragma once

namespace texts {

// Five centred lines at 16 pixels: the title and a short paragraph.
inline constexpr const char* Welcome =
    "Welcome to Dorvane!\r\n"
    "This is unique software for regenerating hard disk\r\n"
    "drives. It eliminates physical damage (bad sectors)\r\n"
    "of the drive's surface. It does not hide bad sectors,\r\n"
    "it really restores them.";

// Six lines at 12 pixels.
inline constexpr const char* Benefits =
    "        Dorvane regenerates bad sectors by magnetic reversal. A hard drive\r\n"
    "damaged by bad sectors becomes unfit for use, and the information stored\r\n"
    "on it is put at risk. Dorvane regenerates such a drive: almost 60 % of\r\n"
    "damaged hard disks can be regenerated. As a result, damaged information\r\n"
    "that could not be read is restored, and the information already on the\r\n"
    "disk is not affected in any way.";

// Six lines at 13 pixels.
inline constexpr const char* HowWorks =
    "        Almost 60 % of all hard drives damaged by bad sectors\r\n"
    "have an incorrectly magnetized disk surface. Research has found an\r\n"
    "algorithm, a special sequence of high and low level signals, which\r\n"
    "Dorvane generates and which switches the damaged surface back,\r\n"
    "so that it is magnetized correctly again. Even low-level formatting\r\n"
    "cannot do this.";

// Six lines at 15 pixels.
inline constexpr const char* Notes =
    "   Dorvane works only at the physical level and does not\r\n"
    "influence the logical structure of the disk. The file system\r\n"
    "may therefore still contain bad-sector marks made earlier,\r\n"
    "even when the drive has been regenerated and is no\r\n"
    "longer damaged. If you want to remove these marks,\r\n"
    "repartition the drive.";

// Twelve lines at 15 pixels that fill the box down to the main window's
// Label1 and Label2, which continue the last sentence on the line below:
// "regeneration  and" "click here to minimize this window". Continued lines
// are indented as far as Label1 is.
inline constexpr const char* LaunchInstructions =
    "   You have started Dorvane Console Application. This\r\n"
    "console application carries out the regeneration. While it\r\n"
    "is inactive, Windows may suspend it. To prevent this:\r\n"
    "1. Click the MS-DOS icon in the upper left corner of the\r\n"
    "    console window titled 'zelkor'.\r\n"
    "2. Choose Properties.\r\n"
    "3. Choose the Misc tab of the 'zelkor Properties' window.\r\n"
    "4. Clear the Always Suspend check box under\r\n"
    "    Background.\r\n"
    "5. Click OK.\r\n"
    "6. Follow the instruction in the console window\r\n"
    "    to start";

}  // namespace texts
