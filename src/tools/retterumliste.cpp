#include "tools/listecommand.h"
#include "tools/toolmain.h"

int main(int argc, char *argv[])
{
    return runTool(argc, argv, runListe);
}
