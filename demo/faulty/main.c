/* Blink sample with a deliberate fault for trying the error check:
   the call to delay on line 17 lacks its closing parenthesis. */
#include "io78320.h"

#define LED_BIT 0x01

static void delay(unsigned int count)
{
    while (count--)
        ;
}

void main(void)
{
    PM4 &= ~LED_BIT;
    for (;;) {
        delay(1000;
        P4 ^= LED_BIT;
    }
}
