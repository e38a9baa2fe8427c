/* Character input and output for the 78K/III C library (Tarnel demo set). */
#ifndef STDIO_H
#define STDIO_H

#ifndef NULL
#define NULL ((void *)0)
#endif
#define EOF (-1)

int putchar(int c);
int getchar(void);
int printf(const char *format, ...);
int scanf(const char *format, ...);

#endif
