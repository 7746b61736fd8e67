# ZELKOR.EXE of the sample image: a DOS program that only says what it is, on
# its standard output and in ZELKOR.RAN in its current folder, so that
# whoever started it can tell that it ran.
#
# The shell carves this file out of the image and starts it (Windows 9x) or
# copies it onto the regenerating diskette, so it has to be a real MZ program
# of exactly PROGRAM_BYTES bytes. This file is the header and the code; the
# image builder pads it with zeros to the size the header announces.
#
# Assembled with: as --32, linked at 0 (ld -m elf_i386 -Ttext=0).

        .code16
        .text
        .globl  start

        .set    PROGRAM_BYTES, 96256    # 188 sectors, the size the shell copies
        .set    HEADER_PARAGRAPHS, 2    # the 28-byte header, rounded up to 32 bytes

start:
header:
        .ascii  "MZ"                    # e_magic
        .word   PROGRAM_BYTES % 512     # e_cblp: bytes in the last page, 0 = full
        .word   (PROGRAM_BYTES + 511) / 512  # e_cp: pages of 512 bytes in the file
        .word   0                       # e_crlc: no relocations
        .word   HEADER_PARAGRAPHS       # e_cparhdr
        .word   0                       # e_minalloc: the load image is enough
        .word   0xFFFF                  # e_maxalloc: the usual "all there is"
        .word   0                       # e_ss: stack in the load image's first 64 KB
        .word   0xFFFE                  # e_sp
        .word   0                       # e_csum: not checked by DOS
        .word   0                       # e_ip: code starts the load image
        .word   0                       # e_cs
        .word   0x1C                    # e_lfarlc: where a relocation table would be
        .word   0                       # e_ovno: main program, not an overlay
        .org    HEADER_PARAGRAPHS * 16

# The load image starts here; CS:0000 is this byte, so offsets within the
# code are distances from `code`.
code:
        pushw   %cs
        popw    %ds                     # DS pointed at the PSP
        movb    $0x40, %ah              # write to a handle, so "> file" captures it
        movw    $1, %bx                 # standard output
        movw    $(notice_end - notice), %cx
        movw    $(notice - code), %dx
        int     $0x21
        movb    $0x3C, %ah              # create ZELKOR.RAN (or empty it)
        xorw    %cx, %cx                # normal attributes
        movw    $(ran_name - code), %dx
        int     $0x21
        jc      done                    # a folder it may not write: the notice is enough
        movw    %ax, %bx                # the new file's handle
        movb    $0x40, %ah
        movw    $(notice_end - notice), %cx
        movw    $(notice - code), %dx
        int     $0x21
        movb    $0x3E, %ah              # close it
        int     $0x21
done:
        movw    $0x4C00, %ax            # exit with code 0
        int     $0x21

ran_name:
        .asciz  "ZELKOR.RAN"
notice:
        .ascii  "Dorvane sample ZELKOR.EXE - a sample without the regeneration program.\r\n"
notice_end:
