/* LED and timing helpers of the blink sample. */
#include "io78320.h"
#include "util.h"

void led_init(void)
{
    PM4 &= ~LED_BIT;            /* port 4, bit 0 drives the LED */
    P4 |= LED_BIT;              /* start with the LED off */
}

void led_toggle(void)
{
    P4 ^= LED_BIT;
}

void delay_ms(unsigned int ms)
{
    unsigned int i;

    while (ms--) {
        for (i = 0; i < 250; i++)
            ;
        watchdog_kick();
    }
}
