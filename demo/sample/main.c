/* Blink sample for the Tarnel demo: toggles the LED twice a second. */
#include "io78320.h"
#include "util.h"

unsigned int blinks;

void main(void)
{
    led_init();
    for (;;) {
        led_toggle();
        blinks++;
        delay_ms(500);
    }
}
