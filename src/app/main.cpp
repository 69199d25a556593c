#include "app/application.h"

int main(int argc, char** argv)
{
    return fakvo::CZelvaApp::Run(argc, argv);
}
