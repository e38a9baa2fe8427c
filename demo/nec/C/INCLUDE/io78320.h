/* Special function registers of the uPD78320 (78K/III), as used by the Tarnel demo. */
#ifndef IO78320_H
#define IO78320_H

#define SFR8(addr)   (*(volatile unsigned char *)(addr))
#define SFR16(addr)  (*(volatile unsigned int *)(addr))

/* Ports and port modes */
#define P0    SFR8(0xFF00)
#define P1    SFR8(0xFF01)
#define P2    SFR8(0xFF02)
#define P3    SFR8(0xFF03)
#define P4    SFR8(0xFF04)
#define P5    SFR8(0xFF05)
#define PM1   SFR8(0xFF21)
#define PM3   SFR8(0xFF23)
#define PM4   SFR8(0xFF24)
#define PM5   SFR8(0xFF25)

/* Timer 0 */
#define TM0   SFR16(0xFF30)
#define CR00  SFR16(0xFF32)
#define TMC0  SFR8(0xFF5D)

/* Watchdog timer mode register */
#define WDM   SFR8(0xFFC2)

/* Interrupt control */
#define IF0L  SFR8(0xFFE0)
#define MK0L  SFR8(0xFFE4)

#endif
