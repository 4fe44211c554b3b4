/* The loader runs from RAM at whatever address the tool picks; it is linked
 * at the start of DTCM only to give the image addresses. It must end before
 * 0x20005004, where WriteOB builds the secure-area parameter block. */
ENTRY(Init)

MEMORY
{
    RAM (rwx) : ORIGIN = 0x20000000, LENGTH = 0x5004
}

SECTIONS
{
    .text :
    {
        KEEP(*(.text.Init))
        *(.text .text.*)
        *(.rodata .rodata.*)
        . = ALIGN(4);
    } > RAM

    /* The descriptor the tool reads from the image, in a section of its own. */
    .device_info :
    {
        KEEP(*(.device_info))
    } > RAM

    /* No state between calls: nothing may need initialising by the tool. */
    .data : { *(.data .data.*) } > RAM
    .bss : { *(.bss .bss.* COMMON) } > RAM
    ASSERT(SIZEOF(.data) == 0 && SIZEOF(.bss) == 0, "the loader must keep no data")

    /DISCARD/ : { *(.ARM.exidx*) *(.ARM.extab*) }
}
