/* LED and timing helpers of the blink sample. */
#ifndef UTIL_H
#define UTIL_H

#define LED_BIT 0x01            /* the LED sits on port 4, bit 0, active low */

void led_init(void);
void led_toggle(void);
void delay_ms(unsigned int ms);

/* Provided by watchdog.r25 */
void watchdog_kick(void);

#endif
