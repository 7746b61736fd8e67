# Boot sector program of the sample diskettes.
#
# The BIOS loads the diskette's sector 0 to 0000:7C00 and jumps to it. This
# file is that whole sector up to the end of the code: the jump over the BIOS
# parameter block, room for the block itself (the diskette builder writes it)
# and the code. The builder also puts the message right after the code, at
# `message`, as NUL-terminated text, so one program serves every diskette we
# make. The program shows the message on the screen and on COM1, so a test can
# read it from an emulator's serial output, and then stops the machine.
#
# Assembled with: as --32, linked at 0x7C00 (ld -m elf_i386 -Ttext=0x7C00).

        .code16
        .text
        .globl  start

start:
        jmp     boot                    # EB 3C: over the parameter block
        nop                             # 90: DOS expects three bytes here

        .org    0x3E                    # bytes 3-0x3D: OEM name and BIOS parameter block

boot:
        cli
        xorw    %ax, %ax
        movw    %ax, %ds                # our data lies in segment 0, near 7C00
        movw    %ax, %es
        movw    %ax, %ss
        movw    $0x7C00, %sp            # stack grows down below this sector
        sti
        ljmp    $0, $normalised         # some BIOSes enter at 07C0:0000
normalised:
        cld

        # COM1 at 9600 baud, 8 data bits, no parity, one stop bit. Port
        # writes rather than INT 14h, so the result doesn't hang on a BIOS
        # whose serial service waits for modem signals.
        movw    $0x3FB, %dx             # line control
        movb    $0x80, %al              # divisor latch access on
        outb    %al, %dx
        movw    $0x3F8, %dx             # divisor low byte: 115200 / 12 = 9600
        movb    $12, %al
        outb    %al, %dx
        incw    %dx                     # 0x3F9: divisor high byte
        xorb    %al, %al
        outb    %al, %dx
        movw    $0x3FB, %dx
        movb    $0x03, %al              # 8N1, divisor latch access off
        outb    %al, %dx
        movw    $0x3FC, %dx             # modem control: DTR and RTS
        movb    $0x03, %al
        outb    %al, %dx

        movw    $message, %si
next_char:
        lodsb
        testb   %al, %al
        jz      stop
        call    put_char
        jmp     next_char

stop:
        cli                             # nothing may wake us: this is the end
halt:
        hlt
        jmp     halt

# Shows the character in AL on the screen and sends it to COM1.
put_char:
        pushw   %ax
        movb    $0x0E, %ah              # INT 10h teletype output
        movw    $0x0007, %bx            # page 0, light grey
        int     $0x10
        popw    %ax

        movb    %al, %bl                # keep the character
        movw    $0x3FD, %dx             # line status
        movw    $0xFFFF, %cx            # give up after this many polls, so a
wait_transmitter:                       # missing port can't hang us
        inb     %dx, %al
        testb   $0x20, %al              # transmit holding register empty?
        jnz     transmit
        loop    wait_transmitter
transmit:
        movw    $0x3F8, %dx
        movb    %bl, %al
        outb    %al, %dx
        ret

message:                                # the builder writes the text here
