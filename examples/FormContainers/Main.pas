unit Main;

interface

uses
  ORVO.Forms;

type
  TFormMain = class(TqoForm)
  private
  end;

implementation

end.
